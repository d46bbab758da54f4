#include "files/text_lines.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/file_errors.h"
#include "files/files_test_support.h"

namespace vexilo {
namespace {

using Lines = std::vector<std::string>;
using testing::TempFolder;

TEST(SplitTextLines, AcceptsCrLfLfAndCrLineEnds) {
    EXPECT_EQ(splitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(splitTextLines("a\n"), (Lines{"a"}));
    EXPECT_EQ(splitTextLines("a\r"), (Lines{"a"}));
}

TEST(SplitTextLines, EmptyLinesAreKeptButNoLineFollowsTheLastLineEnd) {
    EXPECT_EQ(splitTextLines(""), Lines{});
    EXPECT_EQ(splitTextLines("\r\n"), (Lines{""}));
    EXPECT_EQ(splitTextLines("\r\n\r\n"), (Lines{"", ""}));
    // LF CR is two line ends, CR CR LF too.
    EXPECT_EQ(splitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitTextLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(SplitTextLines, AZeroByteEndsTheText) {
    using namespace std::string_literals;
    EXPECT_EQ(splitTextLines("ab\0cd\r\nef"s), (Lines{"ab"}));
    EXPECT_EQ(splitTextLines("ab\r\n\0cd"s), (Lines{"ab"}));
    EXPECT_EQ(splitTextLines("\0ab"s), Lines{});
}

TEST(SplitTextLines, KeepsHighBytesAndOtherControlCharacters) {
    EXPECT_EQ(splitTextLines("\x82\xa0\t \x7f\r\nx"), (Lines{"\x82\xa0\t \x7f", "x"}));
}

TEST(PathParts, FileNameAndUpperCasedExtension) {
    EXPECT_EQ(fileNamePart("/a/b/easy01.ALC"), "easy01.ALC");
    EXPECT_EQ(fileNamePart("easy01.ALC"), "easy01.ALC");
    EXPECT_EQ(upperExtension("/a/b/puzzle.alc"), ".ALC");
    EXPECT_EQ(upperExtension("x.Ring"), ".RING");
    EXPECT_EQ(upperExtension("archive.tar.slz"), ".SLZ");
    EXPECT_EQ(upperExtension("/a.dir/noext"), "");
    EXPECT_EQ(upperExtension("/a/.ALC"), ".ALC");
    EXPECT_EQ(upperExtension("name."), ".");
}

TEST(SaveTextLines, WritesCrLfAfterEveryLineAndReadsBack) {
    TempFolder folder;
    const std::string path = folder.path("t.ALC");
    saveTextLines(path, {"one", "", "three"});
    EXPECT_EQ(folder.read("t.ALC"), "one\r\n\r\nthree\r\n");
    EXPECT_EQ(loadTextLines(path), (Lines{"one", "", "three"}));
    saveTextLines(path, {});
    EXPECT_EQ(folder.read("t.ALC"), "");
}

TEST(SaveTextLines, ReplacesTheOldFileAndLeavesNoTemporaryFileBehind) {
    TempFolder folder;
    folder.write("t.ALC", std::string(10000, 'x'));
    saveTextLines(folder.path("t.ALC"), {"short"});
    EXPECT_EQ(folder.read("t.ALC"), "short\r\n");
    EXPECT_EQ(folder.names(), (Lines{"t.ALC"}));
}

TEST(SaveTextLines, KeepsThePermissionsOfTheFileItReplaces) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string path = folder.write("t.ALC", "old");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, perms, fs::perm_options::replace);
    saveTextLines(path, {"new"});
    EXPECT_EQ(fs::status(path).permissions(), perms);
}

TEST(SaveTextLines, WritesThroughASymbolicLinkAndKeepsTheLink) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string target = folder.write("target.ALC", "old");
    fs::create_symlink(target, folder.path("link.ALC"));
    saveTextLines(folder.path("link.ALC"), {"new"});
    EXPECT_TRUE(fs::is_symlink(folder.path("link.ALC")));
    EXPECT_EQ(folder.read("target.ALC"), "new\r\n");
    EXPECT_EQ(folder.names(), (Lines{"link.ALC", "target.ALC"}));
}

TEST(SaveTextLines, AFailedWriteThrowsAndLeavesWhatWasThere) {
    TempFolder folder;
    EXPECT_THROW(saveTextLines(folder.path("missing/t.ALC"), {"x"}), FileError);
    EXPECT_TRUE(folder.names().empty());
    std::filesystem::create_directory(folder.path("sub.ALC"));
    folder.write("sub.ALC/inside", "kept");
    EXPECT_THROW(saveTextLines(folder.path("sub.ALC"), {"x"}), FileError);
    EXPECT_EQ(folder.read("sub.ALC/inside"), "kept");
    EXPECT_EQ(folder.names(), (Lines{"sub.ALC"}));
}

TEST(LoadTextLines, AMissingFileOrAFolderIsAFileErrorNamingThePath) {
    TempFolder folder;
    try {
        loadTextLines(folder.path("nothing.ALC"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("nothing.ALC"), std::string::npos) << e.what();
    }
    EXPECT_THROW(readWholeFile(folder.path("")), FileError);
}

}  // namespace
}  // namespace vexilo
