#include "ui/board_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace vexilo {

void BoardPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}

BoardPaintBox::BoardPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (onPaint) onPaint(painter);
}

void BoardPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseDown) onMouseDown(event->button(), p.x(), p.y());
}

void BoardPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseUp) onMouseUp(event->button(), p.x(), p.y());
}

void BoardPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

}  // namespace vexilo
