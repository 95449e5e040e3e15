// Placeholder until the diagram pane lands.
#include "ui/diagram_pane.h"

namespace tarsel {

struct DiagramPane::Impl {};

DiagramPane::DiagramPane(AppState&, QWidget* parent) : QWidget(parent), impl_(new Impl) {}
DiagramPane::~DiagramPane() { delete impl_; }
QLineEdit* DiagramPane::field(int) const { return nullptr; }
int DiagramPane::CommitAllFields(QLineEdit*) { return 0; }
int DiagramPane::CommitField(QLineEdit*) { return 0; }
void DiagramPane::RefreshAllFields() {}
void DiagramPane::setGeometryFieldsEnabled(bool) {}
void DiagramPane::applyEditFont() {}
void DiagramPane::paintEvent(QPaintEvent*) {}
void DiagramPane::mousePressEvent(QMouseEvent*) {}
bool DiagramPane::eventFilter(QObject*, QEvent*) { return false; }

} // namespace tarsel
