#pragma once
// The entry hint "Press Enter when finished changing an entry": a small
// captioned child of the main window with a close box, on a pale yellow
// ground, shown below (or above) the box being typed in.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tarsel {

struct AppState;

class HintWindow : public QWidget {
    Q_OBJECT
public:
    static QString hintText();

    HintWindow(AppState& state, QWidget* parent);

    // Width of the frame around the client area, in pixels.
    int frameWidth() const;
    // Height of the caption bar that holds the close box.
    int captionHeight() const;
    // W = text width + average character width; H = text height + leading +
    // 2 x frame + caption height.
    QSize hintSize() const;
    // The close box of the caption.
    QToolButton* closeButton() const { return closeButton_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
    QToolButton* closeButton_;
};

// Top-left corner of a hint of size hint for a box at (boxLeft, boxTop) of
// height boxHeight in a pane whose client rectangle is pane; frame is the
// gap between box and hint. Below the box; pulled in from the right edge
// (centred when the pane is narrower than the hint); above the box when it
// would pass the bottom.
QPoint placeHint(QPoint boxTopLeft, int boxHeight, QSize hint, QRect pane, int frame);

// Creates and shows the hint for box (a child of pane), parented to the main
// window (or, without one, to the pane's top-level window); sets bHintShown
// and bHintOpen and gives the keyboard focus back to box.
HintWindow* showHint(AppState& state, QWidget* pane, QLineEdit* box);

} // namespace tarsel
