#include "ui/hint_command.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>

#include "model/lattice.h"
#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui/main_window.h"
#include "ui/vexilo_application.h"

namespace vexilo {

HintCommand::HintCommand(TForm1& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("HintCommand"));
    window.addCheckMenuItem("Hint1", QStringLiteral("ヒント"), QKeySequence(Qt::Key_H),
                            [this] { hintOrAccept(); });
    auto acceptKey = [this](Qt::Key key) {
        auto* s = new QShortcut(QKeySequence(key), &window_);
        s->setEnabled(false);  // only while a hint waits
        connect(s, &QShortcut::activated, this,
                [this] { runReported([this] { hintOrAccept(); }); });
        return s;
    };
    enter_ = acceptKey(Qt::Key_Enter);
    returnKey_ = acceptKey(Qt::Key_Return);

    panel_ = new QLabel(window.Panel2);
    panel_->setObjectName(QStringLiteral("HintPanel"));
    panel_->setWordWrap(true);
    panel_->setFrameShape(QFrame::Box);
    panel_->setAutoFillBackground(true);
    panel_->setMargin(4);
    panel_->hide();

    auto paintBoard = window.PaintBox1->onPaint;
    window.PaintBox1->onPaint = [this, paintBoard](QPainter& p) {
        paintBoard(p);
        if (hints_.pending() && !showing()) drop();
        if (hints_.pending()) paintOutline(p);
    };
}

bool HintCommand::showing() const {
    return hints_.waiting(window_.state());
}

void HintCommand::drop() {
    hints_.drop();
    enter_->setEnabled(false);
    returnKey_->setEnabled(false);
    panel_->hide();
}

void HintCommand::hintOrAccept() {
    switch (hintCommand(window_.state(), hints_)) {
        case HintStep::kNone:
            return;
        case HintStep::kAccepted:
            drop();
            window_.PaintBox1->update();
            return;
        case HintStep::kGiven:
            show();
            return;
    }
}

void HintCommand::show() {
    const Hint& hint = hints_.hint();
    const bool acceptable = hint.kind == HintKind::kDeduction;
    enter_->setEnabled(acceptable);
    returnKey_->setEnabled(acceptable);

    panel_->setText(QString::fromStdString(hint.text));
    const int width = std::min(360, window_.Panel2->width() - 16);
    panel_->setFixedWidth(std::max(120, width));
    panel_->adjustSize();
    // The panel keeps to the half of the view away from the edge.
    const int edgeY = 4 * window_.state().zoom * hint.y - window_.ScrollBarY->value();
    const int bottom = window_.Panel2->height() - panel_->height() - 8;
    panel_->move(8, hint.x != 0 && edgeY < window_.Panel2->height() / 2 ? bottom : 8);
    panel_->show();
    panel_->raise();
    window_.PaintBox1->update();
}

void HintCommand::paintOutline(QPainter& painter) {
    const Hint& hint = hints_.hint();
    if (hint.x == 0) return;
    // A lattice position lies 4 pixels a step from the image's origin, times the zoom.
    const int zoom = window_.state().zoom;
    const bool horizontal = isHorizontalEdge(hint.x, hint.y);
    const int cx = 4 * zoom * hint.x - window_.ScrollBarX->value();
    const int cy = 4 * zoom * hint.y - window_.ScrollBarY->value();
    const int half = 4 * zoom + 2;
    const int thick = zoom + 3;
    const QRect r = horizontal ? QRect(cx - half, cy - thick, 2 * half, 2 * thick)
                               : QRect(cx - thick, cy - half, 2 * thick, 2 * half);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(hint.kind == HintKind::kMistake ? QColor(220, 0, 0) : QColor(0, 120, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(r, thick, thick);
    painter.restore();
}

}  // namespace vexilo
