#include "ui/main/diagram_image.h"

#include "ui/common/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

#include <future>
#include <system_error>

namespace tarsel {

namespace {

QImage renderDiagram() {
    initTarselResources();
    QSvgRenderer renderer(QStringLiteral(":/diagram.svg"));
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(DiagramWidth, DiagramHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, DiagramWidth, DiagramHeight));
    painter.end();
    return image;
}

// The rendering started by startDiagramRendering(), if any; asked set once
// diagramImage() has its picture.
struct Pending {
    std::future<QImage> rendering;
    bool asked = false;
};

Pending& pending() {
    static Pending state;
    return state;
}

} // namespace

void startDiagramRendering() {
    Pending& state = pending();
    if (state.asked || state.rendering.valid()) {
        return;
    }
    initTarselResources(); // registered here, before another thread reads them
    try {
        state.rendering = std::async(std::launch::async, renderDiagram);
    } catch (const std::system_error&) {
        // No thread to spare: diagramImage() renders it when first asked.
    }
}

const QImage& diagramImage() {
    static const QImage image = [] {
        Pending& state = pending();
        state.asked = true;
        return state.rendering.valid() ? state.rendering.get() : renderDiagram();
    }();
    return image;
}

} // namespace tarsel
