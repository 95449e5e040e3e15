#pragma once
// The diagram pane: the link picture stretched over the pane, the labels and
// the 19 entry fields laid over it, the entry hint.

#include <QLineEdit>
#include <QWidget>

namespace tarsel {

struct AppState;

class DiagramPane : public QWidget {
    Q_OBJECT
public:
    DiagramPane(AppState& state, QWidget* parent);
    ~DiagramPane() override;

    // The entry field of a FieldIndex (nullptr outside 0..18).
    QLineEdit* field(int index) const;
    // Commits first (if any) and then every other field in FieldIndex order.
    // Returns 1 if any commit failed, else 0.
    int CommitAllFields(QLineEdit* first);
    // Reads one field back into its parameter; 0 when stored or not a field.
    int CommitField(QLineEdit* box);
    // Writes every parameter into its field (six significant digits).
    void RefreshAllFields();
    // The six geometry fields (X12s .. y03s) follow the diffraction switch.
    void setGeometryFieldsEnabled(bool enabled);
    // Applies the edit-box font to the 19 fields.
    void applyEditFont();

    // Implementation details live in the .cpp files.
    struct Impl;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Impl* impl_;
};

} // namespace tarsel
