#pragma once
// The help window: the help page in a browser with back and forward, a find
// bar (Ctrl+F, F3, Shift+F3) and the usual ways to close it (Ctrl+W, Escape).

#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace tarsel {

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // A window showing source at its top; deleted when closed.
    explicit HelpWindow(const QUrl& source);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findField() const { return findField_; }
    // Whether the find bar is shown.
    bool findBarVisible() const;
    // The message under the find field ("Not found", or empty).
    QString findStatus() const;

    // Opens the find bar with the focus in its field.
    void openFindBar();
    // Selects the next (or previous) match of the find field's text, wrapping
    // around at the end of the page; false when there is none.
    bool findText(bool backward);

private:
    // Escape closes the find bar while it is open, else the window.
    void escape();
    QAction* addItem(class QMenu* menu, const QString& text, const QList<QKeySequence>& keys);

    QTextBrowser* browser_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QLabel* findStatus_ = nullptr;
};

} // namespace tarsel
