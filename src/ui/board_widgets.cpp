#include "ui/board_widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/vexilo_application.h"

namespace vexilo {

void BoardPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) runReported(onResize);
}

BoardPaintBox::BoardPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (onPaint) runReported([&] { onPaint(painter); });
}

void BoardPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseDown) runReported([&] { onMouseDown(event->button(), p.x(), p.y()); });
}

void BoardPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseUp) runReported([&] { onMouseUp(event->button(), p.x(), p.y()); });
}

void BoardPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

}  // namespace vexilo
