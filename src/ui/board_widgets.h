// The two widgets of the board area, which hand their events to the main window's
// handlers: Panel2 (its resize) and PaintBox1 (its paint and its mouse buttons).
#pragma once

#include <QWidget>
#include <functional>

namespace vexilo {

class BoardPanel : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    std::function<void()> onResize;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

class BoardPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit BoardPaintBox(QWidget* parent);
    std::function<void(QPainter&)> onPaint;
    std::function<void(Qt::MouseButton, int, int)> onMouseDown;
    std::function<void(Qt::MouseButton, int, int)> onMouseUp;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A double click counts as a second press: two quick clicks on an edge draw a line and
    // take it back, instead of the second click being swallowed.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vexilo
