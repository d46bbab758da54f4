#include "ui/board_keys.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui/main_window.h"
#include "ui/vexilo_application.h"

namespace vexilo {

namespace {

constexpr int kNotch = 120;  // a wheel's angle per notch, in eighths of a degree
constexpr int kCellPixels = 8;

}  // namespace

BoardKeys::BoardKeys(TForm1& form) : QObject(&form), form_(form) {
    addButtonShortcut(form.SpeedButton6, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    addButtonShortcut(form.SpeedButton8, {QKeySequence(Qt::CTRL | Qt::Key_S)});
    addButtonShortcut(form.SpeedButton11, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    addButtonShortcut(form.SpeedButton3, {QKeySequence(Qt::Key_Plus),
                                          QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)});
    addButtonShortcut(form.SpeedButton4, {QKeySequence(Qt::Key_Minus),
                                          QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)});
    addScrollKey(QKeySequence(Qt::Key_Left), -1, 0, 0);
    addScrollKey(QKeySequence(Qt::Key_Right), 1, 0, 0);
    addScrollKey(QKeySequence(Qt::Key_Up), 0, -1, 0);
    addScrollKey(QKeySequence(Qt::Key_Down), 0, 1, 0);
    addScrollKey(QKeySequence(Qt::Key_PageUp), 0, 0, -1);
    addScrollKey(QKeySequence(Qt::Key_PageDown), 0, 0, 1);
    form.Panel2->installEventFilter(this);
    form.PaintBox1->installEventFilter(this);
}

void BoardKeys::addButtonShortcut(QToolButton* button, const QList<QKeySequence>& keys) {
    auto* action = new QAction(button->toolTip(), &form_);
    action->setShortcuts(keys);
    form_.addAction(action);
    // A disabled button ignores its shortcut, as it ignores a click.
    connect(action, &QAction::triggered, button, &QToolButton::click);
    button->setToolTip(button->toolTip() + QStringLiteral(" (") +
                       keys.first().toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

void BoardKeys::addScrollKey(const QKeySequence& key, int columns, int rows, int pages) {
    auto* action = new QAction(&form_);
    action->setShortcut(key);
    form_.addAction(action);
    connect(action, &QAction::triggered, this,
            [this, columns, rows, pages] { runReported([&] { scroll(columns, rows, pages); }); });
}

void BoardKeys::scrollBy(QScrollBar* bar, int limit, int delta) {
    if (delta == 0 || !bar->isVisible()) return;
    bar->setValue(std::clamp(bar->value() + delta, 0, limit));
}

void BoardKeys::scroll(int columns, int rows, int pages) {
    const int cell = kCellPixels * form_.state().zoom;
    scrollBy(form_.ScrollBarX, form_.scrollLimitX(), columns * cell);
    scrollBy(form_.ScrollBarY, form_.scrollLimitY(),
             rows * cell + pages * form_.PaintBox1->height());
}

void BoardKeys::wheel(const QWheelEvent& event) {
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (event.modifiers() & Qt::ControlModifier) {
        pendingZoom_ += delta;
        for (; pendingZoom_ >= kNotch; pendingZoom_ -= kNotch) form_.SpeedButton3->click();
        for (; pendingZoom_ <= -kNotch; pendingZoom_ += kNotch) form_.SpeedButton4->click();
        return;
    }
    pendingScroll_ += delta;
    const int notches = pendingScroll_ / kNotch;
    pendingScroll_ -= notches * kNotch;
    const bool sideways = (event.modifiers() & Qt::ShiftModifier) || angle.y() == 0;
    // Each notch moves the board by the system's wheel lines, a cell each, at most a page.
    const int cells = -notches * QApplication::wheelScrollLines();
    if (sideways) {
        scrollBy(form_.ScrollBarX, form_.scrollLimitX(),
                 std::clamp(cells * kCellPixels * form_.state().zoom, -form_.PaintBox1->width(),
                            form_.PaintBox1->width()));
    } else {
        scrollBy(form_.ScrollBarY, form_.scrollLimitY(),
                 std::clamp(cells * kCellPixels * form_.state().zoom, -form_.PaintBox1->height(),
                            form_.PaintBox1->height()));
    }
}

bool BoardKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    runReported([&] { wheel(*static_cast<QWheelEvent*>(event)); });
    return true;
}

}  // namespace vexilo
