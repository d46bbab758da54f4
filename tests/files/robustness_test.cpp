// Truncated, damaged and random input to every reader: each file is read, ignored or
// refused with one of the readers' errors, and nothing is touched outside the buffers (the
// sanitizer build checks the latter).
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

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

enum class Outcome { kRead, kIgnored, kRefused };

bool isCellCode(uint8_t code) {
    const int key = code & 7;
    const int mark = code & 0xF8;
    return key <= 4 && (mark == 0 || mark == 0x20 || mark == 0x30);
}

class Robustness : public ::testing::Test {
  protected:
    // Opens the bytes as a file of the given extension; any error other than the readers'
    // own fails the test.
    Outcome open(const std::string& extension, const std::string& bytes) {
        const std::string path = folder.write("f" + extension, bytes);
        try {
            if (!openPuzzleFile(*t, path, WriteBack::kNone)) return Outcome::kIgnored;
        } catch (const std::out_of_range&) {
            return Outcome::kRefused;
        } catch (const std::invalid_argument&) {
            return Outcome::kRefused;
        } catch (const FormatError&) {
            return Outcome::kRefused;
        }
        checkSanePuzzle(extension);
        return Outcome::kRead;
    }
    void checkSanePuzzle(const std::string& what) {
        EXPECT_GE(t->W(), 0) << what;
        EXPECT_LE(t->W(), 500) << what;
        EXPECT_GE(t->H(), 0) << what;
        EXPECT_LE(t->H(), 500) << what;
        EXPECT_EQ(t->plainBitmap.width, 8 * t->W() + 9);
        for (int r = 0; r < t->H(); ++r) {
            for (int c = 0; c < t->W(); ++c) {
                if (!isCellCode((*t->clueGrid)[r][c])) {
                    ADD_FAILURE() << what << ": code " << int((*t->clueGrid)[r][c]);
                    return;
                }
            }
        }
    }
    TempFolder folder;
    TestState t;
};

std::string nativeSample() {
    return crlf({"[Vexilo data]   4 x   3 2", "[Start]", "3-2-", "-0-B", "1#2a", "[End]"});
}

std::string slzSample() {
    return crlf({"  4            3  ", "x", "3-2-", "-0-1", "1-2-", "y"});
}

std::string lpmSample() {
    std::string b(2467, 'x');
    b[2] = 4;
    b[3] = 3;
    b[9] = ':';
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) b[97 + 86 * c + 2 * r] = static_cast<char>('D' + (r + c) % 4);
    }
    return b;
}

std::string sltSample() {
    std::string b(2036, 'x');
    b[4] = 4;
    b[5] = 3;
    b[9] = ':';
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) b[11 + 18 * (c + 1) + 2 * r] = 'F';
    }
    return b;
}

std::string ringSample() {
    std::string b(52 + 8 * 9 * 7, '\0');
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
    };
    put(0, 100);
    put(8, 3);
    put(12, 4);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) put(52 + 4 * ((2 * r + 1) * 9 + 2 * c + 1), (r + c) % 5);
    }
    return b;
}

struct Sample {
    const char* extension;
    std::string (*make)();
};
const Sample kSamples[] = {{".ALC", nativeSample},
                           {".SLZ", slzSample},
                           {".LPM", lpmSample},
                           {".SLT", sltSample},
                           {".RING", ringSample}};

TEST_F(Robustness, EverySampleIsReadWhole) {
    for (const Sample& s : kSamples) {
        EXPECT_EQ(open(s.extension, s.make()), Outcome::kRead) << s.extension;
        EXPECT_EQ(t->W(), 4) << s.extension;
        EXPECT_EQ(t->H(), 3) << s.extension;
    }
}

TEST_F(Robustness, TruncatedFilesAreReadIgnoredOrRefused) {
    for (const Sample& s : kSamples) {
        const std::string whole = s.make();
        const size_t step = whole.size() > 500 ? 37 : 1;
        for (size_t size = 0; size < whole.size(); size += step) {
            const Outcome o = open(s.extension, whole.substr(0, size));
            // Only the text formats can still hold a whole puzzle when cut short (the last
            // line end, or text after "[End]").
            if (o == Outcome::kRead) {
                EXPECT_TRUE(s.extension == std::string(".ALC") ||
                            s.extension == std::string(".SLZ"))
                    << s.extension << " cut to " << size;
            }
        }
        // Every binary format refuses an empty file with the reader's out-of-range error.
        EXPECT_EQ(open(s.extension, ""), Outcome::kRefused) << s.extension;
    }
}

TEST_F(Robustness, DamagedFilesNeverBreakTheReaders) {
    std::mt19937 random(20240611);
    for (const Sample& s : kSamples) {
        const std::string whole = s.make();
        for (int round = 0; round < 150; ++round) {
            std::string bytes = whole;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i) {
                // Damage the front more often: sizes, counts and anchors live there.
                const size_t limit =
                    (random() % 2 == 0) ? std::min<size_t>(60, bytes.size()) : bytes.size();
                bytes[random() % limit] = static_cast<char>(random() & 0xFF);
            }
            open(s.extension, bytes);
        }
    }
}

TEST_F(Robustness, RandomBytesNeverBreakTheReaders) {
    std::mt19937 random(77);
    for (const Sample& s : kSamples) {
        for (int round = 0; round < 60; ++round) {
            const size_t size = random() % 3000;
            std::string bytes(size, '\0');
            for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
            if (round % 3 == 0 && size >= 4) {
                bytes[0] = 100;  // pass the .RING check now and then
                bytes[1] = bytes[2] = bytes[3] = 0;
            }
            if (round % 3 == 1 && size > 12) bytes[9] = ':';  // and the .LPM/.SLT anchor
            open(s.extension, bytes);
        }
    }
}

TEST_F(Robustness, RandomNativeLinesAreReadIgnoredOrRefused) {
    std::mt19937 random(4711);
    const std::string alphabet = " -0123+ABCD#abcdxyz[]End9-";
    for (int round = 0; round < 400; ++round) {
        std::string header = "[Vexilo data]";
        const size_t headerLength = random() % 20;
        for (size_t i = 0; i < headerLength; ++i) header += alphabet[random() % alphabet.size()];
        t->fileLines = {header, "[Start]"};
        const int rows = static_cast<int>(random() % 12);
        for (int r = 0; r < rows; ++r) {
            std::string row(random() % 700, '-');
            for (char& c : row) c = alphabet[random() % alphabet.size()];
            t->fileLines.push_back(row);
        }
        if (random() % 4 != 0) t->fileLines.push_back("[End]");
        try {
            if (readNativeText(*t, "r.ALC")) checkSanePuzzle(header);
        } catch (const std::out_of_range&) {
        } catch (const std::invalid_argument&) {
        } catch (const FormatError&) {
        }
        EXPECT_LE(t->W(), 500);
    }
}

}  // namespace
}  // namespace vexilo
