// What the readers refuse before reading, and how a write treats the file it replaces.
#include "files/file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "files/file_errors.h"
#include "files/files_test_support.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "support/access_denial.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string refusal(const std::string& path) {
    try {
        readPuzzleFileBytes(path);
    } catch (const FileError& e) {
        return e.what();
    }
    return "read";
}

TEST(FileAccess, ReadersRefuseWhatIsNoSmallRegularFileWithoutWaiting) {
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.path("pipe.ALC").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir.path("zero.ALC"));
    fs::create_directory(dir.path("folder.ALC"));
    dir.write("big.ALC", "[Vexilo data]   1 x   1\r\n[Start]\r\n1\r\n[End]\r\n");
    fs::resize_file(dir.path("big.ALC"), kMaxPuzzleFileBytes + 1);
    dir.write("edge.ALC", std::string(kMaxPuzzleFileBytes, '\n'));

    EXPECT_EQ(refusal(dir.path("pipe.ALC")), "cannot read " + dir.path("pipe.ALC") +
                                                 ": it is not a regular file (a pipe or a device)");
    EXPECT_NE(refusal(dir.path("zero.ALC")).find("not a regular file"), std::string::npos);
    EXPECT_NE(refusal(dir.path("folder.ALC")).find("it is a folder"), std::string::npos);
    EXPECT_NE(refusal(dir.path("big.ALC")).find("4194305 bytes"), std::string::npos);
    EXPECT_EQ(refusal(dir.path("edge.ALC")), "read");
    // Every reader goes through the same check.
    testing::TestState t;
    for (const std::string ext : {".SLZ", ".LPM", ".SLT", ".RING", ".ALC"}) {
        if (ext != ".ALC") {
            ASSERT_EQ(::mkfifo(dir.path("pipe" + ext).c_str(), 0644), 0);
        }
        EXPECT_THROW(openPuzzleFile(*t, dir.path("pipe" + ext)), FileError) << ext;
    }
}

class CarefulWrite : public ::testing::Test {
  protected:
    struct stat statOf(const std::string& name) {
        struct stat st {};
        EXPECT_EQ(::stat(dir.path(name).c_str(), &st), 0);
        return st;
    }
    TempFolder dir;
};

TEST_F(CarefulWrite, AReadOnlyFileIsLeftAloneAndTheErrorSaysSo) {
    dir.write("ro.ALC", "old");
    ASSERT_TRUE(testing::setMode(dir.path("ro.ALC"), 0444));
    try {
        writeFileCarefully(dir.path("ro.ALC"), "new");
        FAIL() << "a read-only file was written";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.read("ro.ALC"), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"ro.ALC"});  // no temporary file left
}

TEST_F(CarefulWrite, OwnerGroupModeLinksAndHardLinksAreKept) {
    dir.write("f.ALC", "old");
    ASSERT_TRUE(testing::setMode(dir.path("f.ALC"), 0640));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(dir.path("f.ALC").c_str(), 1234, 5678), 0);
    }
    writeFileCarefully(dir.path("f.ALC"), "new");
    EXPECT_EQ(dir.read("f.ALC"), "new");
    EXPECT_EQ(statOf("f.ALC").st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(statOf("f.ALC").st_uid, 1234u);
        EXPECT_EQ(statOf("f.ALC").st_gid, 5678u);
    }

    fs::create_symlink("f.ALC", dir.path("link.ALC"));
    writeFileCarefully(dir.path("link.ALC"), "through the link");
    EXPECT_TRUE(fs::is_symlink(dir.path("link.ALC")));
    EXPECT_EQ(dir.read("f.ALC"), "through the link");

    fs::create_hard_link(dir.path("f.ALC"), dir.path("hard.ALC"));
    const ino_t inode = statOf("f.ALC").st_ino;
    writeFileCarefully(dir.path("f.ALC"), "both");
    EXPECT_EQ(dir.read("hard.ALC"), "both");
    EXPECT_EQ(statOf("f.ALC").st_ino, inode);
    writeFileCarefully(dir.path("new.ALC"), "created");
    EXPECT_EQ(dir.read("new.ALC"), "created");
    EXPECT_EQ(dir.names().size(), 4u);
}

}  // namespace
}  // namespace vexilo
