#include "ui/form2.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "files/native_file.h"
#include "files/puzzle_listing.h"
#include "model/puzzle_state.h"
#include "support/access_denial.h"
#include "support/test_support.h"
#include "ui/exp_view_lite.h"
#include "ui/offscreen_application.h"

namespace {

using vexilo::TExpViewLite;
using vexilo::TForm2;

using vexilo::testing::TestState;

// A small native puzzle; rating is the text after the size (may be empty).
QByteArray puzzleText(const char* size, const char* rating) {
    QByteArray text = QByteArray("[Vexilo data] ") + size;
    if (*rating) text += QByteArray(" ") + rating;
    return text + "\r\n[Start]\r\n3-2-\r\n-0-B\r\n1#2a\r\n[End]\r\n";
}

class Form2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        offscreenApplication();
        ASSERT_TRUE(temp.isValid());
        folder = temp.path() + "/";
        dialog = std::make_unique<TForm2>(*state);
        dialog->errorReport = [this](const QString& message) { errors << message; };
    }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray read(const QString& name) {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < dialog->ListView1->rowCount(); ++r) {
            texts << dialog->ListView1->item(r, c)->text();
        }
        return texts;
    }
    // The rating cell of the row captioned name; "?" when there is no such row.
    QString ratingOf(const QString& name) const {
        const QStringList names = column(0);
        const int row = names.indexOf(name);
        return row < 0 ? QStringLiteral("?") : dialog->ListView1->item(row, 2)->text();
    }
    void selectRow(const QString& name) {
        const int row = column(0).indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        dialog->ListView1->selectRow(row);
    }
    // Shows the dialog, picks name and presses OK.
    void openWithOk(const QString& name) {
        dialog->show();
        selectRow(name);
        dialog->Button1->click();
    }

    TestState state;
    QTemporaryDir temp{QDir::tempPath() + "/vexilo-open2-XXXXXX"};
    QString folder;
    std::unique_ptr<TForm2> dialog;
    QStringList errors;
};

TEST_F(Form2Test, TheDialogAndItsControls) {
    EXPECT_EQ(dialog->windowTitle(), "Vexilo 開くⅡ");
    EXPECT_EQ(dialog->size(), QSize(418, 250));  // the outer 426 x 277 less its frame
    EXPECT_EQ(dialog->ExpViewLite1->geometry(), QRect(0, 0, 161, 249));
    EXPECT_EQ(dialog->ListView1->geometry(), QRect(168, 0, 250, 217));
    EXPECT_EQ(dialog->Button1->geometry(), QRect(200, 224, 75, 25));
    EXPECT_EQ(dialog->Button2->geometry(), QRect(312, 224, 75, 25));
    EXPECT_EQ(dialog->Button1->text(), "ＯＫ");
    EXPECT_EQ(dialog->Button2->text(), "キャンセル");
    QTableWidget* list = dialog->ListView1;
    ASSERT_EQ(list->columnCount(), 4);  // the last one marks kept progress
    const char* headers[] = {"ファイルネーム", "サイズ", "難度", ""};
    const int widths[] = {120, 70, 40, 16};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->horizontalHeaderItem(c)->text(), QString::fromUtf8(headers[c]));
        EXPECT_EQ(list->columnWidth(c), widths[c]);
    }
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(dialog->ExpViewLite1->expandLocked);
}

TEST_F(Form2Test, StartsAtTheProgramsOwnFolder) {
    EXPECT_EQ(dialog->ExpViewLite1->GetPathName(), QCoreApplication::applicationDirPath() + "/");
}

TEST_F(Form2Test, ListsTheNativeFilesSortedByName) {
    const char* names[] = {"b.ALC", "A.alc", "d.ALC", "C.ALC",   "e.Alc",
                           "f.ALC", "g.ALC", "h.ALC", "bad.ALC", "lower.ALC"};
    for (int i = 0; i < 8; ++i) {
        write(names[i], puzzleText(i % 2 ? " 12 x  34" : "  4 x   3", i == 3 ? "" : "5"));
    }
    write("bad.ALC", "[Vexilo]   4 x   3 5\r\n[Start]\r\n[End]\r\n");
    write("lower.ALC", puzzleText("  4 x   3", "5").toLower());
    write("other.txt", puzzleText("  4 x   3", "5"));
    ASSERT_TRUE(QDir().mkdir(folder + "sub.ALC"));

    dialog->ExpViewLite1->SetPathName(folder);
    EXPECT_EQ(column(0), (QStringList{"A.alc", "b.ALC", "C.ALC", "d.ALC", "e.Alc", "f.ALC", "g.ALC",
                                      "h.ALC"}));
    EXPECT_EQ(column(1), (QStringList{" 12 x  34", "  4 x   3", " 12 x  34", "  4 x   3",
                                      "  4 x   3", " 12 x  34", "  4 x   3", " 12 x  34"}));
    EXPECT_EQ(column(2), (QStringList{"5", "5", "", "5", "5", "5", "5", "5"}));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(state->fileLines.empty());
}

TEST_F(Form2Test, AnotherFolderGivesAnotherList) {
    write("one.ALC", puzzleText("  4 x   3", "1"));
    ASSERT_TRUE(QDir().mkdir(folder + "deeper"));
    write("deeper/two.ALC", puzzleText("  4 x   3", "2"));
    dialog->ExpViewLite1->SetPathName(folder);
    EXPECT_EQ(column(0), QStringList{"one.ALC"});
    dialog->ExpViewLite1->SetPathName(folder + "DEEPER");
    EXPECT_EQ(column(0), QStringList{"two.ALC"});
    dialog->ExpViewLite1->SetPathName(folder + "missing");  // nothing found: the list stays
    EXPECT_EQ(column(0), QStringList{"two.ALC"});
}

TEST_F(Form2Test, WithoutASelectedFolderTheCurrentFolderIsListed) {
    write("here.ALC", puzzleText("  4 x   3", "3"));
    dialog->ExpViewLite1->clearSelection();
    ASSERT_EQ(dialog->ExpViewLite1->GetPathName(), "");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));
    dialog->ListPuzzleFiles();
    QDir::setCurrent(previous);
    EXPECT_EQ(column(0), QStringList{"here.ALC"});
}

TEST_F(Form2Test, OkOpensTheChosenPuzzleAndCloses) {
    write("x.ALC", puzzleText("  4 x   3", "2"));
    dialog->ExpViewLite1->SetPathName(folder);
    openWithOk("x.ALC");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(state->W(), 4);
    EXPECT_EQ(state->H(), 3);
    EXPECT_EQ(state->difficulty.stored, 2);
    EXPECT_EQ(QString::fromStdString(state->fileName), folder + "x.ALC");
    EXPECT_EQ(state.frontend.caption, "x.ALC 4x3 - Vexilo");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Form2Test, OkWithoutASelectionOnlyCloses) {
    write("x.ALC", puzzleText("  4 x   3", ""));
    dialog->ExpViewLite1->SetPathName(folder);
    openWithOk("x.ALC");
    state->difficulty.stored = vexilo::Difficulty::kPendingOffset + 4;  // as an automatic solve leaves it
    const QByteArray before = read("x.ALC");

    dialog->show();
    dialog->ListView1->clearSelection();
    dialog->Button1->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state->difficulty.stored, vexilo::Difficulty::kPendingOffset + 4);
    EXPECT_EQ(QString::fromStdString(state->fileName), folder + "x.ALC");
    EXPECT_EQ(read("x.ALC"), before);
}

TEST_F(Form2Test, CancelChangesNothing) {
    write("x.ALC", puzzleText("  4 x   3", "1"));
    dialog->ExpViewLite1->SetPathName(folder);
    dialog->show();
    selectRow("x.ALC");
    dialog->Button2->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(state->W(), 0);
}

TEST_F(Form2Test, ADoubleClickOnARowIsOk) {
    write("x.ALC", puzzleText("  4 x   3", "2"));
    write("y.ALC", puzzleText("  7 x   3", "2"));
    dialog->ExpViewLite1->SetPathName(folder);
    dialog->show();
    QWidget* viewport = dialog->ListView1->viewport();
    const QPoint at = dialog->ListView1->visualItemRect(dialog->ListView1->item(1, 0)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state->W(), 7);
}

TEST_F(Form2Test, ARatingWrittenBackShowsInTheNextListing) {
    write("norating.ALC", puzzleText("  4 x   3", ""));
    write("other.ALC", puzzleText("  4 x   3", "1"));
    dialog->ExpViewLite1->SetPathName(folder);
    EXPECT_EQ(ratingOf("norating.ALC"), "");

    openWithOk("norating.ALC");
    EXPECT_EQ(state->difficulty.stored, vexilo::Difficulty::kUnsolvable);
    state->difficulty.stored = vexilo::Difficulty::kPendingOffset + 3;  // rated by the automatic solve
    openWithOk("other.ALC");                         // leaving it writes the rating back
    dialog->ListPuzzleFiles();
    EXPECT_EQ(ratingOf("norating.ALC"), "3");

    // Left without a new rating, an unrated puzzle is written with -1.
    write("fresh.ALC", puzzleText("  4 x   3", ""));
    dialog->ListPuzzleFiles();
    openWithOk("fresh.ALC");
    openWithOk("other.ALC");
    dialog->ListPuzzleFiles();
    EXPECT_EQ(ratingOf("fresh.ALC"), "-1");
    EXPECT_EQ(ratingOf("other.ALC"), "1");
}

TEST_F(Form2Test, KeepsItsFolderAndReadsItsListAfreshAtEachShowing) {
    write("first.ALC", puzzleText("  4 x   3", "1"));
    dialog->ExpViewLite1->SetPathName(folder);
    dialog->show();
    selectRow("first.ALC");
    dialog->Button2->click();

    write("second.ALC", puzzleText("  4 x   3", "2"));
    write("first.ALC", puzzleText("  4 x   3", "5"));
    dialog->show();
    EXPECT_EQ(dialog->ExpViewLite1->GetPathName(), folder);
    EXPECT_EQ(column(0), (QStringList{"first.ALC", "second.ALC"}));
    EXPECT_EQ(ratingOf("first.ALC"), "5");
    EXPECT_TRUE(dialog->ListView1->item(0, 0)->isSelected());
}

TEST_F(Form2Test, EnterOpensTheSelectedRowAndTheNameColumnFitsTheNames) {
    const QString longName = QStringLiteral("a-rather-long-name-for-a-puzzle-file-01.ALC");
    write(longName, puzzleText("  4 x   3", "2"));
    write("y.ALC", puzzleText("  7 x   3", "2"));
    dialog->ExpViewLite1->SetPathName(folder);
    dialog->show();
    EXPECT_GT(dialog->ListView1->columnWidth(0),
              dialog->ListView1->fontMetrics().horizontalAdvance(longName));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog->ListView1, &enter);  // no row: nothing
    EXPECT_TRUE(dialog->isVisible());
    selectRow("y.ALC");
    QCoreApplication::sendEvent(dialog->ListView1, &enter);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state->W(), 7);
}

TEST_F(Form2Test, AFileThatCannotBeOpenedIsReportedAndTheDialogStays) {
    write("gone.ALC", puzzleText("  4 x   3", "1"));
    write("short.ALC", puzzleText("  4 x   3", "2"));
    dialog->ExpViewLite1->SetPathName(folder);
    ASSERT_EQ(column(0).size(), 2);

    dialog->show();
    ASSERT_TRUE(QFile::remove(folder + "gone.ALC"));
    openWithOk("gone.ALC");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("gone.ALC")) << errors[0].toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(state->W(), 0);

    write("short.ALC", "[Vexilo data]   4 x   3 2\r\n[Start]\r\n3-2-\r\n");  // no "[End]"
    selectRow("short.ALC");
    dialog->Button1->click();
    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(Form2Test, AnUnreadableFileStopsTheListingWithAReport) {
    write("locked.ALC", puzzleText("  4 x   3", "1"));
    ASSERT_TRUE(
        vexilo::testing::setMode(QFile::encodeName(folder + "locked.ALC").toStdString(), 0));
    vexilo::testing::AccessDenial denial;
    if (!denial.active()) GTEST_SKIP() << "this process cannot give up reading everything";
    dialog->ExpViewLite1->SetPathName(folder);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("locked.ALC")) << errors[0].toStdString();
    EXPECT_EQ(dialog->ListView1->rowCount(), 0);
}

}  // namespace

// A figure, not a check of speed: run with --gtest_also_run_disabled_tests to see how long
// a folder of 10,000 puzzles takes to list.
TEST_F(Form2Test, DISABLED_ListsTenThousandFiles) {
    const QByteArray text = puzzleText(" 40 x  40", "3") + QByteArray(1600, '-');
    for (int i = 0; i < 10000; ++i) write(QString("p%1.ALC").arg(i, 5, 10, QChar('0')), text);

    QElapsedTimer clock;
    clock.start();
    int rows = 0;
    vexilo::listPuzzleFiles(QFile::encodeName(folder).toStdString(),
                            [&rows](vexilo::PuzzleListRow&&) { ++rows; });
    const qint64 listing = clock.nsecsElapsed();
    EXPECT_EQ(rows, 10000);

    clock.restart();
    dialog->ExpViewLite1->SetPathName(folder);
    const qint64 dialogTotal = clock.nsecsElapsed();
    EXPECT_EQ(dialog->ListView1->rowCount(), 10000);
    EXPECT_EQ(dialog->ListView1->item(9999, 0)->text(), "p09999.ALC");
    std::printf("10,000 files: header listing %.1f ms, folder selection with filled list %.1f ms\n",
                listing / 1e6, dialogTotal / 1e6);
}
