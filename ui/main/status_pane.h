#pragma once
// The status strip under the diagram: three framed result lines (maximum
// range, margin at the nominal range, the diffraction case in force) and the
// two toggle buttons for the hill type and the diffraction switch.

#include "engine/link_params.h"
#include "engine/link_results.h"

#include <QFrame>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <array>
#include <string>

namespace tarsel {

struct AppState;

inline constexpr int ResultLineIds[3] = {1000, 1004, 1008};
inline constexpr int HillTypeButtonId = 3000;
inline constexpr int DiffractionButtonId = 3001;

// Tooltips and accessible names of the "Hill Type" and "Diffr. Tog" buttons,
// in the help page's words.
std::array<QString, 2> statusButtonDescriptions();

// Background of the pane and of the result lines, RGB(192,192,192).
QColor statusGrey();

// The frame size used by the status layout and the main window's status
// height (the style's default frame width, at least 1).
int statusFrameSize();

// The three result texts after a recalculation: lines 1 and 2 with the hill
// type in force (or without diffraction), line 3 naming the case.
std::array<std::string, 3> resultLineTexts(const LinkResults& results, const LinkParams& params);

// Places of the five children in a client area of cw x ch, for a font of
// character height h and average character width c, frame size f: lines 1-3,
// then the "Hill Type" and "Diffr. Tog" buttons. Widths may come out zero or
// negative for a very narrow pane; they are returned as they are.
std::array<QRect, 5> statusPaneLayout(int cw, int ch, int h, int c, int f);

// One result line: a one-pixel frame around a grey field; the text starts at
// the left edge and is centred vertically, in the control font.
class ResultLine : public QFrame {
    Q_OBJECT
public:
    ResultLine(AppState& state, int id, QWidget* parent);
    // Holds at most 127 characters; repaints at once.
    void setLineText(const QString& text);
    QString lineText() const { return text_; }
    int id() const { return id_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppState& state_;
    int id_;
    QString text_;
};

class StatusPane : public QFrame {
    Q_OBJECT
public:
    StatusPane(AppState& state, QWidget* parent);

    ResultLine* resultLine(int index) const; // 0..2, nullptr outside
    QPushButton* hillTypeButton() const { return hillType_; }
    QPushButton* diffractionButton() const { return diffraction_; }

    // Sets the three lines from the state's results and switches.
    void SetResultLines();
    // "Hill Type" follows the diffraction switch; "Diffr. Tog" stays enabled.
    void setHillTypeEnabled(bool enabled);
    // The buttons take the control font (the lines take it when they paint).
    void applyControlFont();
    // Places the lines and buttons for the current size and control font.
    void layoutChildren();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void toggleHillType();
    void toggleDiffraction();

    AppState& state_;
    std::array<ResultLine*, 3> lines_{};
    QPushButton* hillType_ = nullptr;
    QPushButton* diffraction_ = nullptr;
};

} // namespace tarsel
