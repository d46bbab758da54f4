// Open II as the program uses it: the main window's "開くⅡ" shows the dialog modally, and
// OK puts the chosen puzzle into the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "model/puzzle_state.h"
#include "solver/solve_commands.h"
#include "support/test_support.h"
#include "ui/exp_view_lite.h"
#include "ui/form2.h"
#include "ui_test_support.h"

namespace vexilo::testing {
namespace {

class Open2Flow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        folder = temp.path() + "/";
        write("small.ALC",
              "[Vexilo data]   4 x   3\r\n[Start]\r\n3-2-\r\n-0-B\r\n1#2a\r\n[End]\r\n");
        write("wide.ALC", "[Vexilo data]   6 x   2 1\r\n[Start]\r\n3-2-1-\r\n------\r\n[End]\r\n");
        dialog.ExpViewLite1->SetPathName(folder);
        f.form().setOpenIIDialog([this] { dialog.exec(); });
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Presses "開くⅡ"; while the dialog runs, picks the row named name (none when empty)
    // and presses the button.
    void useOpenII(const QString& name, QPushButton* button) {
        QTimer::singleShot(0, &dialog, [this, name, button] {
            shownModally = QApplication::activeModalWidget() == &dialog;
            dialog.ListView1->clearSelection();
            for (int r = 0; r < dialog.ListView1->rowCount(); ++r) {
                if (dialog.ListView1->item(r, 0)->text() == name) dialog.ListView1->selectRow(r);
            }
            button->click();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject);  // never hang the test
        f.clickWidget(f.form().SpeedButton7);
    }

    // The folder exists before the dialog is made: the tree reads a folder's subfolders
    // once, and the dialog starts in the program's folder, which may lie in the same
    // parent folder as the temporary one.
    QTemporaryDir temp{QDir::tempPath() + "/vexilo-open2-flow-XXXXXX"};
    FormFixture f;
    TForm2 dialog{f.state(), &f.form()};
    QString folder;
    bool shownModally = false;
};

TEST_F(Open2Flow, OkShowsTheChosenPuzzleInTheMainWindow) {
    useOpenII("wide.ALC", dialog.Button1);
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(f.form().windowTitle(), "wide.ALC 6x2 - Vexilo");
    EXPECT_EQ(f.state().W(), 6);
    EXPECT_EQ(f.state().difficulty.stored, 1);
    EXPECT_TRUE(f.errors.isEmpty());
}

TEST_F(Open2Flow, LeavingARatedPuzzleWritesItsRatingBack) {
    useOpenII("small.ALC", dialog.Button1);
    ASSERT_EQ(f.form().windowTitle(), "small.ALC 4x3 - Vexilo");
    f.state().difficulty.stored = 10000 + 5;  // as the automatic solve leaves it

    useOpenII("", dialog.Button1);  // no row: only closes
    EXPECT_EQ(f.state().difficulty.stored, 10000 + 5);
    EXPECT_TRUE(read("small.ALC").startsWith("[Vexilo data]   4 x   3\r\n"));

    useOpenII("wide.ALC", dialog.Button2);  // cancel: nothing happens
    EXPECT_EQ(f.form().windowTitle(), "small.ALC 4x3 - Vexilo");

    useOpenII("wide.ALC", dialog.Button1);
    EXPECT_EQ(f.form().windowTitle(), "wide.ALC 6x2 - Vexilo");
    EXPECT_TRUE(read("small.ALC").startsWith("[Vexilo data]   4 x   3 5\r\n"));
    dialog.ListPuzzleFiles();
    EXPECT_EQ(dialog.ListView1->item(0, 0)->text(), "small.ALC");
    EXPECT_EQ(dialog.ListView1->item(0, 2)->text(), "5");
}

TEST_F(Open2Flow, AnAutomaticRatingShowsInTheListAfterLeavingThePuzzle) {
    // A real puzzle whose header carries no rating.
    QByteArray text = QByteArray::fromStdString(readTestData(corpusFile("easy-5x5-01.ALC")));
    const qsizetype lineEnd = text.indexOf("\r\n");
    ASSERT_TRUE(text.left(lineEnd).endsWith(" -1"));
    text.remove(lineEnd - 3, 3);
    write("unrated.ALC", text);
    dialog.ListPuzzleFiles();
    ASSERT_EQ(dialog.ListView1->item(1, 0)->text(), "unrated.ALC");
    EXPECT_EQ(dialog.ListView1->item(1, 2)->text(), "");

    useOpenII("unrated.ALC", dialog.Button1);
    ASSERT_EQ(f.state().W(), 5);
    autoSolveCommand(f.state());
    const int rating = f.state().difficulty.stored - 10000;
    ASSERT_GE(rating, 0);
    ASSERT_LE(rating, 6);
    useOpenII("wide.ALC", dialog.Button1);  // leaving the puzzle writes the rating
    dialog.ListPuzzleFiles();
    ASSERT_EQ(dialog.ListView1->item(1, 0)->text(), "unrated.ALC");
    EXPECT_EQ(dialog.ListView1->item(1, 2)->text(), QString::number(rating));
}

TEST_F(Open2Flow, AFileGoneSinceTheListingIsReportedAndTheDialogStaysOpen) {
    bool stillShown = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.ListView1->selectRow(1);
        QFile::remove(folder + "wide.ALC");
        dialog.Button1->click();
        stillShown = dialog.isVisible();
        dialog.Button2->click();
    });
    QTimer::singleShot(5000, &dialog, &QDialog::reject);
    f.clickWidget(f.form().SpeedButton7);
    EXPECT_TRUE(stillShown);
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_TRUE(f.errors[0].contains("wide.ALC")) << f.errors[0].toStdString();
    EXPECT_EQ(f.state().W(), 0);
}

}  // namespace
}  // namespace vexilo::testing
