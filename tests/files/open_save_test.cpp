#include "files/open_save.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "files/file_errors.h"
#include "files/files_test_support.h"
#include "loading/puzzle_loading.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using Lines = std::vector<std::string>;
using testing::crlf;
using testing::TempFolder;
using testing::TestState;

const std::string kNative = crlf({"[Vexilo data]   2 x   1 3", "[Start]", "12", "[End]"});

class OpenCommand : public ::testing::Test {
  protected:
    void openFirst() {
        ASSERT_TRUE(openPuzzleFile(*t, folder.write("first.ALC", kNative)));
        t->difficulty.stored = 10004;  // a pending rating of the puzzle being left
    }
    TempFolder folder;
    TestState t;
};

TEST_F(OpenCommand, TheExtensionIsUpperCasedSoALowerCaseNativeFileIsRead) {
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("low.alc", kNative)));
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->difficulty.stored, 3);
    EXPECT_EQ(t.frontend.caption, "low.alc 2x1 - Vexilo");
    EXPECT_EQ(t->fileLines, (Lines{"[Vexilo data]   2 x   1 3", "[Start]", "12", "[End]"}));
}

TEST_F(OpenCommand, AnyOtherExtensionIsReadAsNativeText) {
    for (const char* name : {"p.txt", "p", "p.Slt.bak"}) {
        ASSERT_TRUE(openPuzzleFile(*t, folder.write(name, kNative))) << name;
        EXPECT_EQ(t->fileName, folder.path(name));
    }
}

TEST_F(OpenCommand, SlzTextGoesThroughItsConverter) {
    const std::string slz = crlf({" 2             1 ", "anything", "3-", "tail"});
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("p.slz", slz)));
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->H(), 1);
    EXPECT_EQ(t->difficulty.stored, -1);
    EXPECT_EQ((*t->clueGrid)[0][0], 3);
}

TEST_F(OpenCommand, TheWriteBackOfThePuzzleBeingLeftComesFirst) {
    openFirst();
    EXPECT_FALSE(openPuzzleFile(*t, folder.write("junk.ALC", "not a puzzle\r\n")));
    EXPECT_EQ(folder.read("first.ALC").substr(0, 27), "[Vexilo data]   2 x   1 4\r\n");
    // The rejected text changed nothing else: the first puzzle is still shown.
    EXPECT_EQ(t->fileName, folder.path("first.ALC"));
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->fileLines, Lines{"not a puzzle"});
}

TEST_F(OpenCommand, AMissingFileIsAFileErrorAfterTheWriteBack) {
    openFirst();
    EXPECT_THROW(openPuzzleFile(*t, folder.path("gone.ALC")), FileError);
    EXPECT_EQ(folder.read("first.ALC").substr(0, 27), "[Vexilo data]   2 x   1 4\r\n");
    EXPECT_TRUE(t->fileLines.empty());
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->fileName, folder.path("first.ALC"));
}

TEST_F(OpenCommand, AnEmptyFileOrARejectedForeignFileIsOutOfRangeAndKeepsThePuzzle) {
    openFirst();
    t->difficulty.stored = 3;
    for (const char* name : {"empty.ALC", "short.LPM", "short.SLT", "short.RING"}) {
        EXPECT_THROW(openPuzzleFile(*t, folder.write(name, "")), std::out_of_range) << name;
        EXPECT_TRUE(t->fileLines.empty());
        EXPECT_EQ(t->fileName, folder.path("first.ALC"));
    }
    // A native text under a foreign extension goes to that format's loader, which rejects it.
    EXPECT_THROW(openPuzzleFile(*t, folder.write("n.LPM", kNative)), std::out_of_range);
}

TEST_F(OpenCommand, OpenTwoLoadsEveryFileAsText) {
    openFirst();
    ASSERT_TRUE(openNativeTextFile(*t, folder.write("n.LPM", kNative)));
    EXPECT_EQ(t->fileName, folder.path("n.LPM"));
    EXPECT_EQ(folder.read("first.ALC").substr(0, 27), "[Vexilo data]   2 x   1 4\r\n");
    EXPECT_FALSE(openNativeTextFile(*t, folder.write("x.ALC", "x"), WriteBack::kNone));
}

}  // namespace
}  // namespace vexilo
