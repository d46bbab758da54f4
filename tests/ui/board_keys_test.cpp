// Shortcuts of the tool column, and scrolling with the wheel and the keys, against a
// naive model of the two bars.
#include "ui/board_keys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <random>

#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

void pressKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window.activateWindow();
    QApplication::processEvents();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&window, &press);
}

void turnWheel(QWidget* over, int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(5, 5);
    QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &event);
}

TEST(BoardKeys, ShortcutsRunTheToolButtonsAndFollowTheirHints) {
    FormFixture f;
    TForm1& w = f.form();
    EXPECT_EQ(w.SpeedButton6->toolTip(), "開く (Ctrl+O)");
    EXPECT_EQ(w.SpeedButton8->toolTip(), "保存 (Ctrl+S)");
    EXPECT_EQ(w.SpeedButton11->toolTip(), "一手戻す (Ctrl+Z)");
    EXPECT_EQ(w.SpeedButton3->toolTip(), "拡大 (+)");
    EXPECT_EQ(w.SpeedButton4->toolTip(), "縮小 (-)");

    f.nextOpenPath = testing::testDataPath("easy-10x10-01.ALC");
    pressKey(w, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(f.state().W(), 10);
    pressKey(w, Qt::Key_Plus);
    EXPECT_EQ(f.state().zoom, 8);
    pressKey(w, Qt::Key_Minus);
    pressKey(w, Qt::Key_Minus);
    EXPECT_EQ(f.state().zoom, 2);
    f.click(Qt::LeftButton, 16, 10);  // the top side of the first cell at zoom 2
    ASSERT_EQ(f.state().mainBoard->at(2, 1) & 3, kLine);
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.state().mainBoard->at(2, 1) & 3, 0);
    pressKey(w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(f.savePreset, "easy-10x10-01.ALC");
}

TEST(BoardKeys, WheelAndKeysScrollAsANaiveModelOfTheBarsDoes) {
    FormFixture f;
    TForm1& w = f.form();
    f.openTestFile("easy-10x10-01.ALC");
    w.SpeedButton3->click();
    w.SpeedButton3->click();  // zoom 16: 1424 pixels square in a 352 view
    const int zoom = f.state().zoom;
    ASSERT_EQ(zoom, 16);
    const int page = w.PaintBox1->height();
    const int wheelStep = std::min(QApplication::wheelScrollLines() * 8 * zoom, page);
    int x = 0;
    int y = 0;
    std::mt19937 random(16);
    for (int i = 0; i < 300; ++i) {
        const int what = static_cast<int>(random() % 8);
        const int sign = (random() % 2) ? 1 : -1;
        if (what == 0) {
            turnWheel(w.PaintBox1, -sign * 120);
            y += sign * wheelStep;
        } else if (what == 1) {
            turnWheel(w.PaintBox1, -sign * 120, Qt::ShiftModifier);
            x += sign * wheelStep;
        } else if (what == 2) {
            turnWheel(w.PaintBox1, -sign * 60);
            turnWheel(w.PaintBox1, -sign * 60);  // two half notches make one
            y += sign * wheelStep;
        } else if (what < 5) {
            pressKey(w, sign > 0 ? Qt::Key_Down : Qt::Key_Up);
            y += sign * 8 * zoom;
        } else if (what < 7) {
            pressKey(w, sign > 0 ? Qt::Key_Right : Qt::Key_Left);
            x += sign * 8 * zoom;
        } else {
            pressKey(w, sign > 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
            y += sign * page;
        }
        x = std::clamp(x, 0, w.scrollLimitX());
        y = std::clamp(y, 0, w.scrollLimitY());
        ASSERT_EQ(w.ScrollBarX->value(), x) << "step " << i;
        ASSERT_EQ(w.ScrollBarY->value(), y) << "step " << i;
    }
    turnWheel(w.PaintBox1, -120, Qt::ControlModifier);
    EXPECT_EQ(f.state().zoom, 8);
    turnWheel(w.PaintBox1, 240, Qt::ControlModifier);
    EXPECT_EQ(f.state().zoom, 32);
}

}  // namespace
}  // namespace vexilo
