#include "ui/main/diagram_image.h"

#include "ui/common/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

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

} // namespace

const QImage& diagramImage() {
    static const QImage image = renderDiagram();
    return image;
}

} // namespace tarsel
