#pragma once
// The link diagram: vector artwork rendered once at start-up into an image of
// the diagram's own size, then stretched over the diagram pane.

#include <QImage>

namespace tarsel {

// Size of the diagram in its own pixels; entry positions are given in these.
inline constexpr int DiagramWidth = 632;
inline constexpr int DiagramHeight = 378;

// Starts rendering the diagram on a thread of its own, so that the window
// can be built meanwhile; diagramImage() waits for it. Call it on the
// window's thread; a second call does nothing.
void startDiagramRendering();

// The rendered diagram, 632 x 378. A null image when the artwork could not be
// loaded (then the main window is never resized to its normal size).
const QImage& diagramImage();

} // namespace tarsel
