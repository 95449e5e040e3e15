#include "ui/main/terrain_note.h"

namespace tarsel {

namespace {

// The free part of the diagram, as fractions of its width and height.
constexpr double Left = 0.41;
constexpr double Top = 0.82;
constexpr double Width = 0.195;
constexpr double Height = 0.15;

} // namespace

TerrainNote::TerrainNote(QWidget* diagram) : QLabel(diagram) {
    setObjectName(QStringLiteral("terrainNote"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
    hide();
}

void TerrainNote::setNote(const QString& text) {
    setText(text);
    setToolTip(text);
    setVisible(!text.isEmpty());
    place();
}

void TerrainNote::place() {
    const QWidget* diagram = parentWidget();
    if (diagram == nullptr) {
        return;
    }
    const QRect area = diagram->rect();
    setGeometry(static_cast<int>(area.width() * Left), static_cast<int>(area.height() * Top),
                static_cast<int>(area.width() * Width), static_cast<int>(area.height() * Height));
    raise();
}

} // namespace tarsel
