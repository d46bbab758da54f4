// The board view in the window: every edge can be reached and clicked, the window's
// smallest size.
#include <gtest/gtest.h>

#include <QFile>
#include <QCheckBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "files/native_file.h"
#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

// A puzzle of width x height cells without clues.
QString blankPuzzle(const QTemporaryDir& folder, int width, int height) {
    const QString path = folder.filePath(QStringLiteral("blank-%1x%2.ALC").arg(width).arg(height));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write((formatNativeHeader(width, height, -1) + "\r\n[Start]\r\n").c_str());
    for (int r = 0; r < height; ++r) file.write(QByteArray(width, '-') + "\r\n");
    file.write("[End]\r\n");
    return path;
}

// A left click at a point of the board image, through whatever widget of the panel lies
// there once both bars are scrolled to their ends.
bool clickImagePoint(FormFixture& f, int imageX, int imageY) {
    TForm1& w = f.form();
    w.ScrollBarX->setValue(w.scrollLimitX());
    w.ScrollBarY->setValue(w.scrollLimitY());
    const QPoint inView(imageX - w.ScrollBarX->value(), imageY - w.ScrollBarY->value());
    if (w.Panel2->childAt(w.PaintBox1->mapTo(w.Panel2, inView)) != w.PaintBox1) return false;
    f.click(Qt::LeftButton, inView.x(), inView.y());
    return true;
}

TEST(BoardView, TheLastRowAndColumnCanBeClickedAtEverySizeAndZoom) {
    QTemporaryDir folder;
    for (const QSize board : {QSize(50, 44), QSize(44, 50), QSize(60, 60), QSize(5, 44)}) {
        for (const QSize window : {QSize(409, 368), QSize(300, 400), QSize(500, 380)}) {
            FormFixture f;
            f.form().resize(window);
            f.form().openFile(blankPuzzle(folder, board.width(), board.height()));
            for (int zoom = f.state().zoom; zoom <= 4; zoom *= 2) {
                f.state().zoom = zoom;
                f.form().zoomStep();
                const std::string at =
                    std::to_string(board.width()) + "x" + std::to_string(board.height()) +
                    " zoom " + std::to_string(zoom) + " window " + std::to_string(window.width());
                // The bottom side of the last cell, then the right side of the last cell
                // (scale-1 pixels: a 4-pixel frame, 8 per cell).
                const int right = 4 + 8 * board.width();
                const int bottom = 4 + 8 * board.height();
                const int x = 2 * board.width();
                const int y = 2 * board.height();
                ASSERT_TRUE(clickImagePoint(f, zoom * (right - 4), zoom * bottom)) << at;
                EXPECT_EQ(f.state().mainBoard->at(x, y + 1) & 3, kLine) << at;
                ASSERT_TRUE(clickImagePoint(f, zoom * right, zoom * (bottom - 4))) << at;
                EXPECT_EQ(f.state().mainBoard->at(x + 1, y) & 3, kLine) << at;
                f.form().SpeedButton9->click();  // back to the start
            }
        }
    }
}

TEST(BoardView, TheWindowKeepsTheWholeToolColumn) {
    FormFixture f;
    f.form().resize(10, 10);
    EXPECT_GE(f.form().Panel1->height(), f.form().CheckBox1->geometry().bottom() + 1);
    EXPECT_GT(f.form().Panel2->width(), 0);
    EXPECT_EQ(f.form().size(), f.form().minimumSize());
}

}  // namespace
}  // namespace vexilo
