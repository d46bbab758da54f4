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
    // A double click is a second press, as on the original platform.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vexilo
