#pragma once
// Dialog templates: a table per dialog (controls with their dialog-unit
// rectangles, texts, states and the tab order) loaded from the resources, and
// a QDialog built from it with the dialog font's base units.

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarsel {

// One control of a template. id -1 marks a static text nobody addresses.
struct DialogControl {
    int id = -1;
    QString kind; // static, ctext, edit, button, group, radio, icon
    QString text;
    QRect rect; // dialog units: x, y, width, height
    bool enabled = true;
    bool isDefault = false;
};

struct DialogTable {
    QString name;
    QString title;
    QRect rect; // position relative to the owner and client size, dialog units
    QString face;
    int points = 8;
    std::vector<DialogControl> controls;
    std::vector<int> tabOrder;
};

// Reads ":/dialogs/<name>.json"; nullopt when missing or malformed.
std::optional<DialogTable> loadDialogTable(const QString& name);

// Dialog base units of a font: baseX from the average width of A-Z a-z,
// baseY the font height, in pixels.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;
    QRect toPixels(const QRect& units) const;
};
DialogUnits dialogUnitsOf(const QFont& font);

// The template's font ("MS Sans Serif" 8 pt), or the platform's sans face
// at the same size when that face is not installed.
QFont dialogFontOf(const DialogTable& table);

// A modal dialog whose controls come from a template. Every control with an
// id is named "id<N>". A template that cannot be loaded gives an empty dialog.
class TableDialog : public QDialog {
    Q_OBJECT
public:
    TableDialog(const QString& templateName, QWidget* owner);

    bool hasTemplate() const { return loaded_; }
    QWidget* control(int id) const;
    QLineEdit* edit(int id) const;
    QPushButton* button(int id) const;
    QRadioButton* radio(int id) const;
    QLabel* label(int id) const;
    // Sets the text of a static or edit control; unknown ids do nothing.
    void setItemText(int id, const QString& text);

private:
    void build(const DialogTable& table, QWidget* owner);

    bool loaded_ = false;
    std::map<int, QWidget*> controls_;
};

} // namespace tarsel
