#pragma once
// The diagram pane: the link picture stretched over the pane, the labels and
// the 19 entry fields laid over it, the entry hint.

#include <QLineEdit>
#include <QWidget>
#include <functional>

namespace tarsel {

struct AppState;
class HintWindow;

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
    // Only the fields a terrain derives, for its analysis arriving.
    void refreshTerrainFields();
    // The six geometry fields (X12s .. y03s) follow the diffraction switch.
    void setGeometryFieldsEnabled(bool enabled);
    // Applies the edit-box font to the 19 fields.
    void applyEditFont();

    // What Enter in a field does (the main window's commit of all entries),
    // called synchronously with the field. Without a handler the pane does it
    // itself: commit all fields starting with hLastEdit, clear
    // bFieldsRefreshed and post IDM_RECALC_ALL to the main window.
    void setCommitHandler(std::function<void(QLineEdit*)> handler);
    // The entry hint while it is open, else nullptr.
    HintWindow* hintWindow() const;
    // Height of the entry fields: the edit-box font's height plus leading.
    int editTextHeight() const;
    // Moves every field to its place for the current pane size.
    void layoutFields();

    // Implementation details live in the .cpp files.
    struct Impl;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commitEntry(QLineEdit* box);
    // Commits every field (the last one edited first) and recalculates.
    void commitAndRecalculate();
    void removeHint();
    void keystroke(QLineEdit* box);
    void drawFocusRing(class QPainter& painter);

    Impl* impl_;
};

} // namespace tarsel
