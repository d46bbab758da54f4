// Paste, copy the link and drops in the window: a shared puzzle opens like a file, bad text
// leaves the puzzle in play alone.
#include "ui/exchange_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "model/puzzle_state.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;
using testing::testDataPath;

const QString kEasyLink = QStringLiteral(
    "https://puzz.link/p?slither/10/10/g7d7337chbcg2d8307cg58dg6d268dcg8621bgbld88dg281c");

void pressKeys(QWidget& window, int key) {
    window.activateWindow();
    QApplication::processEvents();
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(&window, &press);
}

TEST(ExchangeCommands, TheOpenButtonsMenuOffersPasteAndCopy) {
    FormFixture f;
    QStringList captions;
    for (QAction* item : f.form().OpenMenu->actions()) captions << item->text();
    EXPECT_EQ(captions, QStringList({"貼り付け", "URLをコピー", "新しい問題..."}));
    EXPECT_EQ(f.form().SpeedButton6->contextMenuPolicy(), Qt::CustomContextMenu);
}

// Ctrl+C puts the link of the puzzle in play on the clipboard; Ctrl+V opens it again, named
// after its kind, and "保" saves the very clues.
TEST(ExchangeCommands, CopiedLinkPastesBackAndSaves) {
    FormFixture f;
    f.openTestFile("easy-10x10-01.ALC");
    pressKeys(f.form(), Qt::Key_C);
    const QString link = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(link.startsWith("https://puzz.link/p?slither/10/10/")) << link.toStdString();

    const ClueGrid before = *f.state().clueGrid;
    f.form().exchangeCommands().openPuzzleText("3x1:123");
    ASSERT_EQ(f.state().W(), 3);
    pressKeys(f.form(), Qt::Key_V);
    EXPECT_EQ(f.form().windowTitle(), "puzzlink 10x10 - Vexilo");
    EXPECT_EQ(*f.state().clueGrid, before);
    EXPECT_EQ(f.state().difficulty.stored, -1);
    EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join("/").toStdString();

    f.nextSavePath = f.copyToScratch("easy-10x10-01.ALC") + ".saved.ALC";
    f.form().SpeedButton8Click();
    EXPECT_EQ(f.savePreset, "puzzlink");
    QFile saved(f.nextSavePath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("[Vexilo data]  10 x  10 -1\r\n[Start]\r\n-2-3--2-33"));
}

TEST(ExchangeCommands, BadTextSaysWhyAndKeepsThePuzzle) {
    FormFixture f;
    f.openTestFile("easy-10x10-01.ALC");
    const ClueGrid before = *f.state().clueGrid;
    const QString title = f.form().windowTitle();
    const char* bad[] = {"https://puzz.link/p?nurikabe/10/10/g", "10x10t0:a2a3", "600 600\n1\n",
                         "nothing to see", ""};
    for (const char* text : bad) {
        QGuiApplication::clipboard()->setText(text);
        f.form().exchangeCommands().pasteClipboard();
    }
    EXPECT_EQ(
        f.messages,
        QStringList({"スリザーリンクの問題ではありません。", "問題のデータが途中で切れています。",
                     "盤面の大きさは1～500です。", "問題のデータに読めない文字があります。",
                     "クリップボードに問題がありません。"}));
    EXPECT_EQ(*f.state().clueGrid, before);
    EXPECT_EQ(f.form().windowTitle(), title);
    EXPECT_TRUE(f.errors.isEmpty());
}

// A puzzle file dropped on the window opens as "開" opens it; a text file and dragged
// text open as shared text.
TEST(ExchangeCommands, DropsOpenFilesAndText) {
    FormFixture f;
    auto drop = [&](QMimeData& data) {
        QDragEnterEvent enter(QPoint(200, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&f.form(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.form(), &drop);
    };
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(testDataPath("small.SLZ"))});
    drop(file);
    EXPECT_TRUE(f.form().windowTitle().startsWith("small.SLZ "))
        << f.form().windowTitle().toStdString();

    QMimeData text;
    text.setText(kEasyLink);
    drop(text);
    EXPECT_EQ(f.form().windowTitle(), "puzzlink 10x10 - Vexilo");

    QMimeData grid;
    grid.setUrls(
        {QUrl::fromLocalFile(QStringLiteral(VEXILO_TEST_DATA "/exchange/easy-5x5-01-grid.txt"))});
    drop(grid);
    EXPECT_EQ(f.form().windowTitle(), "easy-5x5-01-grid 5x5 - Vexilo");
    EXPECT_TRUE(f.errors.isEmpty()) << f.errors.join("/").toStdString();
}

}  // namespace
}  // namespace vexilo
