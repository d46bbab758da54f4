// The main window: its controls, the start state, opening and saving files, closing, and
// the general error report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

QByteArray fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(MainWindow, StartsWithoutAPuzzle) {
    FormFixture f;
    TForm1& w = f.form();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexilo"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("0"));
    EXPECT_FALSE(w.ScrollBarX->isVisible());
    EXPECT_FALSE(w.ScrollBarY->isVisible());
    EXPECT_FALSE(w.SpeedButton11->isEnabled());
    EXPECT_FALSE(w.PaintBox1->isVisible());
    EXPECT_EQ(f.state().W(), 0);
    EXPECT_EQ(f.state().difficulty.stored, -1);
    EXPECT_EQ(w.Panel2->size(), QSize(368, 368));
    EXPECT_EQ(w.Panel1->geometry(), QRect(0, 0, 41, 368));
}

TEST(MainWindow, ToolColumnHoldsEveryControlInPlace) {
    FormFixture f;
    TForm1& w = f.form();
    struct Row {
        QWidget* control;
        int top;
        const char* caption;
        const char* hint;
    };
    const Row rows[] = {
        {w.SpeedButton6, 8, "開", "開く"},        {w.SpeedButton7, 32, "Ⅱ", "開くⅡ"},
        {w.SpeedButton8, 64, "保", "保存"},       {w.SpeedButton3, 96, "＋", "拡大"},
        {w.SpeedButton4, 120, "－", "縮小"},      {w.SpeedButton5, 152, "解", "自動解答"},
        {w.SpeedButton10, 176, "検", "正解か？"}, {w.SpeedButton11, 208, "戻", "一手戻す"},
        {w.SpeedButton1, 248, "記", "記憶"},      {w.SpeedButton2, 272, "再", "戻す"},
        {w.SpeedButton9, 304, "初", "最初"},
    };
    for (const Row& r : rows) {
        auto* b = static_cast<QToolButton*>(r.control);
        EXPECT_EQ(b->parentWidget(), w.Panel1);
        EXPECT_EQ(b->geometry(), QRect(8, r.top, 23, 22)) << r.hint;
        EXPECT_EQ(b->text(), QString::fromUtf8(r.caption));
        EXPECT_TRUE(b->toolTip().startsWith(QString::fromUtf8(r.hint))) << r.hint;
    }
    EXPECT_EQ(w.Label1->geometry(), QRect(8, 232, 24, 12));
    EXPECT_EQ(w.Label1->alignment(), Qt::AlignCenter);
    EXPECT_EQ(w.CheckBox1->geometry(), QRect(8, 344, 24, 17));
    EXPECT_TRUE(w.CheckBox1->text().isEmpty());
    EXPECT_EQ(w.CheckBox1->toolTip(), QStringLiteral("色"));
    ASSERT_EQ(w.PopupMenu1->actions().size(), 3);
    EXPECT_EQ(w.Level01->text(), QStringLiteral("Level0"));
    EXPECT_EQ(w.Level11->text(), QStringLiteral("Level1"));
    EXPECT_EQ(w.Level21->text(), QStringLiteral("Level2"));
    EXPECT_EQ(w.SpeedButton5->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST(MainWindow, UsesAJapaneseFontAtTwelvePixels) {
    FormFixture f;
    const QFont font = f.form().SpeedButton6->font();
    EXPECT_EQ(font.pixelSize(), 12);
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family == QStringLiteral("ＭＳ Ｐゴシック") || family.contains("IPA") ||
                QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
        << family.toStdString();
}

TEST(MainWindow, OpeningANativeFileFitsTheZoom) {
    FormFixture f;
    f.nextOpenPath = testing::testDataPath("easy-10x10-01.ALC");
    f.form().SpeedButton6Click();
    TForm1& w = f.form();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("easy-10x10-01.ALC 10x10 - Vexilo"));
    EXPECT_EQ(f.state().zoom, 4);
    EXPECT_TRUE(w.PaintBox1->isVisible());
    EXPECT_EQ(w.PaintBox1->size(), QSize(356, 356));
    EXPECT_FALSE(w.ScrollBarX->isVisible());
    EXPECT_FALSE(w.ScrollBarY->isVisible());
    EXPECT_EQ(f.state().plainBitmap.width, 89);
}

TEST(MainWindow, OpeningAForeignFileConvertsIt) {
    FormFixture f;
    f.openTestFile("small.SLZ");
    EXPECT_EQ(f.form().windowTitle(), QStringLiteral("small.SLZ 3x2 - Vexilo"));
    EXPECT_EQ(f.state().W(), 3);
    EXPECT_EQ(f.state().H(), 2);
    EXPECT_EQ(f.state().zoom, 8);  // 8 * 8 * 4 = 256 fits 368, 16 * 8 * 4 does not
    EXPECT_EQ((*f.state().clueGrid)[1][1], 1);
}

TEST(MainWindow, CancelledOpenChangesNothingAndWritesNothingBack) {
    FormFixture f;
    const QString path = f.copyToScratch("easy-10x10-01.ALC");
    f.form().openFile(path);
    f.state().difficulty.stored = 10002;  // a rating waiting to be written
    const QByteArray before = fileText(path);
    f.nextOpenPath.clear();
    f.form().SpeedButton6Click();
    EXPECT_EQ(fileText(path), before);
    EXPECT_EQ(f.state().difficulty.stored, 10002);
    EXPECT_EQ(f.form().windowTitle(), QStringLiteral("easy-10x10-01.ALC 10x10 - Vexilo"));
}

TEST(MainWindow, OpeningAnotherPuzzleWritesThePendingRatingBack) {
    FormFixture f;
    const QString path = f.copyToScratch("easy-10x10-01.ALC");
    f.form().openFile(path);
    f.state().difficulty.stored = 10002;
    f.nextOpenPath = testing::testDataPath("small.SLZ");
    f.form().SpeedButton6Click();
    EXPECT_TRUE(fileText(path).startsWith("[Vexilo data]  10 x  10 2\r\n"));
}

TEST(MainWindow, ClosingWritesThePendingRatingBack) {
    auto f = std::make_unique<FormFixture>();
    const QString path = f->copyToScratch("easy-10x10-01.ALC");
    f->form().openFile(path);
    f->state().difficulty.stored = 10005;
    f->form().close();
    EXPECT_TRUE(fileText(path).startsWith("[Vexilo data]  10 x  10 5\r\n"));
}

TEST(MainWindow, SaveIsPresetWithTheFileNameAndWritesTheRating) {
    FormFixture f;
    f.nextSavePath.clear();
    f.form().SpeedButton8Click();  // without a puzzle: no dialog at all
    EXPECT_TRUE(f.savePreset.isEmpty());
    const QString path = f.copyToScratch("easy-10x10-01.ALC");
    f.form().openFile(path);
    f.state().difficulty.stored = 3;
    f.nextSavePath = path + QStringLiteral(".copy.ALC");
    f.form().SpeedButton8Click();
    EXPECT_EQ(f.savePreset, QStringLiteral("easy-10x10-01.ALC"));
    EXPECT_TRUE(fileText(f.nextSavePath).startsWith("[Vexilo data]  10 x  10 3\r\n[Start]\r\n"));
    EXPECT_EQ(f.state().difficulty.stored, 3);
    EXPECT_EQ(f.state().fileName, f.nextSavePath.toStdString());
}

TEST(MainWindow, AnErrorEscapingACommandIsReportedAndTheProgramGoesOn) {
    FormFixture f;
    f.openTestFile("easy-10x10-01.ALC");
    // A foreign file its loader rejects leaves no lines; reading them fails.
    f.nextOpenPath = testing::testDataPath("short.LPM");
    f.clickWidget(f.form().SpeedButton6);
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_TRUE(f.errors[0].startsWith(QStringLiteral("読み込むテキストがありません。")))
        << f.errors[0].toStdString();
    EXPECT_TRUE(f.messages.isEmpty());
    // Qt's own dialogs speak Japanese too.
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    // The previous puzzle stays, and the window still answers.
    EXPECT_EQ(f.state().W(), 10);
    f.clickWidget(f.form().SpeedButton3);
    EXPECT_EQ(f.state().zoom, 8);
}

// An object whose event handler fails, as a command that throws would.
class FailingObject : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("the file cannot be written");
        return QObject::event(e);
    }
};

TEST(MainWindow, TheApplicationsDispatchReportsWhatEscapesAnEventHandler) {
    FormFixture f;  // installs the report hook
    FailingObject failing;
    QEvent event(QEvent::User);
    EXPECT_TRUE(QApplication::sendEvent(&failing, &event));
    EXPECT_EQ(f.errors, QStringList{QStringLiteral("the file cannot be written")});
}

}  // namespace
}  // namespace vexilo
