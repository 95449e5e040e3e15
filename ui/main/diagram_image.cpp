#include "ui/main/diagram_image.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources compiled into a static library are registered by name, from the
// global namespace.
static void registerTarselResources() {
    Q_INIT_RESOURCE(tarsel);
}

namespace tarsel {

void initTarselResources() {
    static const bool registered = [] {
        registerTarselResources();
        return true;
    }();
    (void)registered;
}

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

} // namespace

const QImage& diagramImage() {
    static const QImage image = renderDiagram();
    return image;
}

QIcon programIcon() {
    initTarselResources();
    return QIcon(QStringLiteral(":/qelicon.svg"));
}

} // namespace tarsel
