#include "files/puzzle_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/file_errors.h"
#include "files/files_test_support.h"
#include "files/puzzle_formats.h"
#include "support/access_denial.h"

namespace vexilo {
namespace {

namespace fs = std::filesystem;

using testing::TempFolder;

// The folder as the listing takes it: with its final "/".
std::string folderOf(const TempFolder& dir) {
    return dir.path("");
}

std::vector<PuzzleListRow> listSorted(const std::string& folder) {
    std::vector<PuzzleListRow> rows;
    listPuzzleFiles(folder, [&](PuzzleListRow&& row) { rows.push_back(std::move(row)); });
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.fileName < b.fileName; });
    return rows;
}

std::vector<std::string> names(const std::vector<PuzzleListRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.fileName);
    return out;
}

const std::string kBody = "\r\n[Start]\r\n3-2-\r\n-0-B\r\n1#2a\r\n[End]\r\n";

TEST(PuzzleFileName, MatchesTheExtensionWithoutRegardToCase) {
    EXPECT_TRUE(isNativeFileName("a.ALC"));
    EXPECT_TRUE(isNativeFileName("a.alc"));
    EXPECT_TRUE(isNativeFileName("a.AlC"));
    EXPECT_TRUE(isNativeFileName(".ALC"));  // the star matches nothing as well
    EXPECT_TRUE(isNativeFileName("a.b.alc"));
    EXPECT_FALSE(isNativeFileName("ALC"));
    EXPECT_FALSE(isNativeFileName("a.ALCX"));
    EXPECT_FALSE(isNativeFileName("a.ALC.bak"));
    EXPECT_FALSE(isNativeFileName("aALC"));
    EXPECT_FALSE(isNativeFileName("a.SLZ"));
    // The open command takes all five formats.
    for (const char* name : {"a.alc", "b/a.Slz", "a.LPM", "a.ring", "a.SLT"}) {
        EXPECT_TRUE(isPuzzleFileName(name)) << name;
    }
    for (const char* name : {"a.txt", "a.SLZ.bak", "SLT", "a.RIN"}) {
        EXPECT_FALSE(isPuzzleFileName(name)) << name;
    }
}

TEST(PuzzleListing, ListsOnlyFilesThatBeginWithTheNativeHeader) {
    TempFolder dir;
    for (int i = 0; i < 8; ++i) {
        dir.write("p" + std::to_string(i) + (i % 2 ? ".alc" : ".ALC"),
                  "[Vexilo data]   4 x   3 " + std::to_string(i % 7) + kBody);
    }
    dir.write("lower.ALC", "[vexilo data]   4 x   3 2" + kBody);  // the word is case-sensitive
    dir.write("blankfirst.ALC", "\r\n[Vexilo data]   4 x   3 2" + kBody);
    dir.write("empty.ALC", "");
    dir.write("other.txt", "[Vexilo data]   4 x   3 2" + kBody);
    dir.write("p9.ALC.bak", "[Vexilo data]   4 x   3 2" + kBody);
    fs::create_directory(folderOf(dir) + "folder.ALC");

    const auto rows = listSorted(folderOf(dir));
    EXPECT_EQ(names(rows), (std::vector<std::string>{"p0.ALC", "p1.alc", "p2.ALC", "p3.alc",
                                                     "p4.ALC", "p5.alc", "p6.ALC", "p7.alc"}));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[3].size, "  4 x   3");
    EXPECT_EQ(rows[3].rating, "3");
    EXPECT_EQ(rows[7].rating, "0");
}

TEST(PuzzleListing, CutsSizeAndRatingFromTheirColumnsUnchanged) {
    TempFolder dir;
    dir.write("a.ALC", "[Vexilo data]  10 x  10" + kBody);             // no rating
    dir.write("b.ALC", "[Vexilo data] 120 x  80 -1" + kBody);          // not rated
    dir.write("c.ALC", "[Vexilo data]   5 x   5 12345 tail" + kBody);  // cut to four
    dir.write("d.ALC", "[Vexilo data]" + kBody);                       // header word only
    dir.write("e.ALC", "[Vexilo data]x5x5" + kBody);                   // columns taken as they are
    dir.write("f.ALC", "[Vexilo data]   7 x   2 4");                   // one line, no line end

    const auto rows = listSorted(folderOf(dir));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].size, " 10 x  10");  // leading blank kept
    EXPECT_EQ(rows[0].rating, "");
    EXPECT_EQ(rows[1].size, "120 x  80");
    EXPECT_EQ(rows[1].rating, "-1");
    EXPECT_EQ(rows[2].rating, "1234");
    EXPECT_EQ(rows[3].size, "");
    EXPECT_EQ(rows[3].rating, "");
    EXPECT_EQ(rows[4].size, "5x5");
    EXPECT_EQ(rows[5].size, "  7 x   2");
    EXPECT_EQ(rows[5].rating, "4");
}

TEST(PuzzleListing, TheHeaderLineEndsAtCrLfOrAZeroByte) {
    TempFolder dir;
    dir.write("cr.ALC", "[Vexilo data]   4 x   3 2\r[Start]\r");
    dir.write("lf.ALC", "[Vexilo data]   4 x   3 5\n[Start]\n");
    dir.write("zero.ALC", std::string("[Vexilo data]   4 x \0  3 2\r\n", 28));
    dir.write("zerofirst.ALC", std::string("\0[Vexilo data]   4 x   3 2\r\n", 28));

    const auto rows = listSorted(folderOf(dir));
    ASSERT_EQ(names(rows), (std::vector<std::string>{"cr.ALC", "lf.ALC", "zero.ALC"}));
    EXPECT_EQ(rows[0].rating, "2");
    EXPECT_EQ(rows[1].size, "  4 x   3");
    EXPECT_EQ(rows[1].rating, "5");
    EXPECT_EQ(rows[2].size, "  4 x ");
    EXPECT_EQ(rows[2].rating, "");
}

TEST(PuzzleListing, AFolderWithoutMatchesOrUnlistableGivesNoRows) {
    TempFolder dir;
    EXPECT_TRUE(listSorted(folderOf(dir)).empty());
    EXPECT_TRUE(listSorted(folderOf(dir) + "missing/").empty());
    dir.write("x.ALC", "[Vexilo data]   4 x   3 2" + kBody);
    EXPECT_TRUE(listSorted(folderOf(dir) + "x.ALC/").empty());  // a file is no folder
}

TEST(PuzzleListing, AnEmptyFolderNameListsTheCurrentFolder) {
    TempFolder dir;
    dir.write("here.ALC", "[Vexilo data]   4 x   3 1" + kBody);
    const fs::path previous = fs::current_path();
    fs::current_path(folderOf(dir));
    const auto rows = listSorted("");
    fs::current_path(previous);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fileName, "here.ALC");
    EXPECT_EQ(rows[0].rating, "1");
}

TEST(PuzzleListing, LinksCountByWhatTheyPointTo) {
    TempFolder dir;
    dir.write("real.txt", "[Vexilo data]   4 x   3 6" + kBody);
    fs::create_directory(folderOf(dir) + "sub");
    fs::create_symlink("real.txt", folderOf(dir) + "link.ALC");
    fs::create_symlink("sub", folderOf(dir) + "dirlink.ALC");
    fs::create_symlink("nowhere", folderOf(dir) + "dangling.ALC");

    const auto rows = listSorted(folderOf(dir));
    ASSERT_EQ(names(rows), std::vector<std::string>{"link.ALC"});
    EXPECT_EQ(rows[0].rating, "6");
}

TEST(PuzzleListing, FilesThatCannotBeReadAreSkippedAndNamedAfterTheListing) {
    TempFolder dir;
    for (int i = 1; i <= 7; ++i) {
        dir.write("p" + std::to_string(i) + ".ALC", "[Vexilo data]   4 x   3 2" + kBody);
    }
    dir.write("locked.ALC", "[Vexilo data]   4 x   3 2" + kBody);
    ASSERT_TRUE(testing::setMode(folderOf(dir) + "locked.ALC", 0));
    dir.write("bom.ALC", "\xEF\xBB\xBF[Vexilo data]   4 x   3 5" + kBody);
    testing::AccessDenial denial;
    if (!denial.active()) GTEST_SKIP() << "this process cannot give up reading everything";
    std::vector<PuzzleListRow> rows;
    try {
        listPuzzleFiles(folderOf(dir), [&](PuzzleListRow&& row) { rows.push_back(row); });
        FAIL() << "the unreadable file went unmentioned";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("locked.ALC"), std::string::npos);
    }
    EXPECT_EQ(rows.size(), 8u);
    for (const auto& row : rows) EXPECT_EQ(row.rating, row.fileName == "bom.ALC" ? "5" : "2");
}

TEST(PuzzleListing, ReadsOnlyTheBeginningOfTheFirstLine) {
    TempFolder dir;
    dir.write("long.ALC", "[Vexilo data]   4 x   3 2" + std::string(100000, ' ') + kBody);
    EXPECT_EQ(readFirstLine(folderOf(dir) + "long.ALC", 28), "[Vexilo data]   4 x   3 2   ");
    EXPECT_EQ(readFirstLine(folderOf(dir) + "long.ALC", 5), "[Vexi");
    dir.write("short.ALC", "ab\ncd");
    EXPECT_EQ(readFirstLine(folderOf(dir) + "short.ALC", 28), "ab");
    EXPECT_THROW(readFirstLine(folderOf(dir) + "none.ALC", 28), FileError);
}

}  // namespace
}  // namespace vexilo
