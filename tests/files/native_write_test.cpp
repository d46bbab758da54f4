#include <gtest/gtest.h>

#include "files/file_errors.h"
#include "files/files_test_support.h"
#include "files/native_file.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::crlf;
using testing::TempFolder;
using testing::TestState;

const std::string kWorkedExample = crlf({
    "[Vexilo data]   4 x   3 2",
    "[Start]",
    "3-2-",
    "-0-B",
    "1#2a",
    "[End]",
});

class NativeWrite : public ::testing::Test {
  protected:
    TempFolder folder;
    TestState t;
};

TEST_F(NativeWrite, WorkedExampleSavedUnderAnotherNameIsReproducedByteForByte) {
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("in.ALC", kWorkedExample)));
    ASSERT_TRUE(savePuzzleAs(*t, folder.path("out.ALC")));
    EXPECT_EQ(folder.read("out.ALC"), kWorkedExample);
    EXPECT_EQ(t->difficulty.stored, 2);  // 2 + 10000 forced the write, which took it back
    EXPECT_EQ(t->fileName, folder.path("out.ALC"));
    EXPECT_TRUE(t->fileLines.empty());
    // Leaving the saved puzzle writes nothing more.
    folder.write("out.ALC", "changed");
    writeBackPendingRating(*t);
    EXPECT_EQ(folder.read("out.ALC"), "changed");
}

TEST_F(NativeWrite, TheSameExampleWithLfOrCrLineEndsIsWrittenWithCrLf) {
    std::string lf = kWorkedExample;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    std::string cr = kWorkedExample;
    for (size_t p; (p = cr.find("\r\n")) != std::string::npos;) cr.erase(p + 1, 1);
    for (const std::string& text : {lf, cr, lf.substr(0, lf.size() - 1)}) {
        ASSERT_TRUE(openPuzzleFile(*t, folder.write("in.ALC", text)));
        ASSERT_TRUE(savePuzzleAs(*t, folder.path("out.ALC")));
        EXPECT_EQ(folder.read("out.ALC"), kWorkedExample);
    }
}

TEST_F(NativeWrite, AnUnratedFileGetsMinusOneOnceAndKeepsItsOtherBytes) {
    const std::string original = crlf({
        "[Vexilo data]   3 x   9",
        "[Start]",
        "1x",
        "3-Z2",
        "",
        "[End]",
        "trailing text",
    });
    const std::string path = folder.write("u.alc", original);  // lower-case extension
    ASSERT_TRUE(openPuzzleFile(*t, path));
    EXPECT_EQ(t->difficulty.stored, 9999);
    writeBackPendingRating(*t);
    // A rewrite would clean the rows up and drop the trailing text; only the rating changes.
    EXPECT_EQ(folder.read("u.alc"), "[Vexilo data]   3 x   9 -1" + original.substr(23));
    EXPECT_EQ(t->difficulty.stored, -1);
    // Opened again and left: -1 is below 9999, nothing is written.
    ASSERT_TRUE(openPuzzleFile(*t, path));
    EXPECT_EQ(t->difficulty.stored, -1);
    folder.write("u.alc", "[Vexilo data]   1 x   1 -1\r\n[Start]\r\n1\r\n[End]\r\n");
    writeBackPendingRating(*t);  // the file on disk now differs from what was read
    EXPECT_EQ(folder.read("u.alc"), "[Vexilo data]   1 x   1 -1\r\n[Start]\r\n1\r\n[End]\r\n");
}

TEST_F(NativeWrite, APendingNewRatingIsWrittenWhenThePuzzleIsLeftForAnother) {
    const std::string first = folder.write("first.ALC", kWorkedExample);
    const std::string second = folder.write("second.ALC", kWorkedExample);
    ASSERT_TRUE(openPuzzleFile(*t, first));
    t->difficulty.stored = 10005;  // an automatic solve rated it 5
    ASSERT_TRUE(openPuzzleFile(*t, second));
    EXPECT_EQ(folder.read("first.ALC").substr(0, 27), "[Vexilo data]   4 x   3 5\r\n");
    EXPECT_EQ(t->difficulty.stored, 2);  // the second puzzle's own rating
    // Without the write-back step the pending rating stays unwritten.
    t->difficulty.stored = 10006;
    ASSERT_TRUE(openPuzzleFile(*t, first, WriteBack::kNone));
    EXPECT_EQ(folder.read("second.ALC"), kWorkedExample);
}

TEST_F(NativeWrite, WritesOnlyANativeFileWithAPendingRating) {
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("p.ALC", kWorkedExample)));
    for (int rating : {-1, 0, 6, 9998}) {
        t->difficulty.stored = rating;
        writeNativeFile(*t);
        EXPECT_EQ(t->difficulty.stored, rating);
    }
    EXPECT_EQ(folder.read("p.ALC"), kWorkedExample);
    for (const char* name : {"p.SLZ", "p.LPM", "p.ALC.bak", "p", "p.AL"}) {
        t->fileName = folder.path(name);
        t->difficulty.stored = 10003;
        writeNativeFile(*t);
        EXPECT_EQ(t->difficulty.stored, 10003) << name;
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{"p.ALC"});
    t->puzzleWidth = 0;
    t->fileName = folder.path("q.ALC");
    writeNativeFile(*t);
    EXPECT_EQ(t->difficulty.stored, 10003);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"p.ALC"});
}

TEST_F(NativeWrite, SaveToANameThatIsNotAlcAddsTheExtension) {
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("p.ALC", kWorkedExample)));
    ASSERT_TRUE(savePuzzleAs(*t, folder.path("p.txt")));
    EXPECT_EQ(t->fileName, folder.path("p.txt.ALC"));
    EXPECT_EQ(t->difficulty.stored, 2);
    ASSERT_TRUE(savePuzzleAs(*t, folder.path("q")));
    ASSERT_TRUE(savePuzzleAs(*t, folder.path("r.alc")));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"p.ALC", "p.txt.ALC", "q.ALC", "r.alc"}));
}

TEST_F(NativeWrite, SaveWithoutAPuzzleDoesNothing) {
    EXPECT_FALSE(savePuzzleAs(*t, folder.path("p.ALC")));
    EXPECT_EQ(t->fileName, "");
    EXPECT_EQ(t->difficulty.stored, -1);
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(NativeWrite, AFailedWriteIsAFileErrorAfterTheRatingCountsAsWritten) {
    ASSERT_TRUE(openPuzzleFile(*t, folder.write("p.ALC", kWorkedExample)));
    EXPECT_THROW(savePuzzleAs(*t, folder.path("no/such/folder.ALC")), FileError);
    EXPECT_EQ(t->difficulty.stored, 2);
}

TEST_F(NativeWrite, CodesOutsideTheAlphabetAreWrittenAsDashes) {
    testing::setClues(*t, {"123", "000"});
    auto& grid = *t->clueGrid;
    grid[0][0] = 0x35;
    grid[0][1] = 0x40;
    grid[0][2] = 5;
    grid[1][0] = 0x10;
    grid[1][1] = 0x24;
    grid[1][2] = 0x2C;
    t->fileName = folder.path("c.ALC");
    t->difficulty.stored = 9999;
    writeNativeFile(*t);
    EXPECT_EQ(folder.read("c.ALC"),
              crlf({"[Vexilo data]   3 x   2 -1", "[Start]", "---", "-A-", "[End]"}));
}

TEST(CellAlphabet, EveryCharacterOfTheAlphabetRoundTrips) {
    for (char c : std::string("-0123+ABCD#abcd")) EXPECT_EQ(cellCharacterOf(cellCodeOf(c)), c);
    EXPECT_EQ(formatNativeHeader(500, 12, -1), "[Vexilo data] 500 x  12 -1");
    EXPECT_EQ(formatNativeHeader(4, 3, 10003), "[Vexilo data]   4 x   3 10003");
}

// The write-back keeps every byte but the rating's; where a rewrite reproduces the file
// exactly, that is the same as the rewrite.
TEST_F(NativeWrite, TheWriteBackChangesOnlyTheRatingField) {
    const std::string rows = "\r\n[Start]\r\n12\r\n3-\r\n[End]\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"[Vexilo data]   2 x   2 -1" + rows, "[Vexilo data]   2 x   2 4" + rows},
        {"[Vexilo data]   2 x   2" + rows + "after the end\r\n",
         "[Vexilo data]   2 x   2 4" + rows + "after the end\r\n"},
        {"[Vexilo data]   2\n[Start]\n12\n3-\n[End]",
         "[Vexilo data]   2       4\n[Start]\n12\n3-\n[End]"},
        {"\xEF\xBB\xBF[Vexilo data]   2 x   2 -1  x" + rows,
         "\xEF\xBB\xBF[Vexilo data]   2 x   2 4   x" + rows},
    };
    for (const auto& [original, written] : cases) {
        const std::string path = folder.write("p.ALC", original);
        ASSERT_TRUE(openPuzzleFile(*t, path));
        t->difficulty.stored = Difficulty::kPendingOffset + 4;
        writeBackPendingRating(*t);
        EXPECT_EQ(folder.read("p.ALC"), written) << original;
    }
}

}  // namespace
}  // namespace vexilo
