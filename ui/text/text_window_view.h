#pragma once
// The text window's widgets: the report pane (client area), the two scroll
// bars and the menu. Scrolling moves the pixels already drawn and repaints
// only the uncovered strip.

#include "ui/text/row_selection.h"
#include "ui/text/text_scroll.h"

#include <QMainWindow>

class QScrollBar;

namespace tarsel {

struct AppState;

// The report pane. Rows are selected with the mouse (press and drag, Shift
// to extend) or all at once; the selection shows in the palette's highlight.
class TextView : public QWidget {
    Q_OBJECT
public:
    TextView(AppState& state, QWidget* parent);

    const RowSelection& selection() const { return selection_; }
    void selectAllRows();
    void clearSelection();
    // The selected rows as the saved report has them, or the whole report
    // when no row is selected.
    QString selectedText() const;
    // Puts selectedText() on the clipboard.
    void copy() const;
    // The report row shown at height y of the pane (clamped to the report).
    int rowAt(int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setSelection(const RowSelection& selection);

    AppState& state_;
    RowSelection selection_;
};

class TextWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TextWindow(AppState& state);

    TextView* view() const { return view_; }
    QScrollBar* verticalBar() const { return vbar_; }
    QScrollBar* horizontalBar() const { return hbar_; }

    // One scroll request in one direction: clamp, move the position, move
    // the pixels, set the bar, repaint the uncovered strip at once.
    void scrollReport(bool vertical, ScrollRequest request, int thumb = 0);
    // Ranges and positions from the program state onto the bars.
    void applyScrollBars();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onBarAction(QScrollBar* bar, bool vertical, int action);
    void addEditMenu();

    AppState& state_;
    TextView* view_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    QScrollBar* hbar_ = nullptr;
};

} // namespace tarsel
