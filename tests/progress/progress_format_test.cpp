// The progress file read back from every prefix of its bytes and with damaged bytes: the log
// is always one a whole number of records left, never a broken one.
#include "progress/progress_format.h"

#include <gtest/gtest.h>

#include <random>

#include "model/move_entry.h"

namespace vexilo {
namespace {

constexpr PuzzleKey kKey{6, 5, 0x0123456789ABCDEFull};

// A history of changes as play makes them, with the log after each record.
struct History {
    std::string bytes;
    std::vector<size_t> recordEnds;  // byte offset after each record
    std::vector<KeptLog> logs;       // logs[k]: after k records
};

History randomHistory(std::mt19937& random, int records) {
    History h;
    h.bytes = encodeProgressHeader(kKey);
    KeptLog log{kFirstMarker};
    h.logs.push_back(log);
    for (int r = 0; r < records; ++r) {
        const size_t kept = 1 + random() % log.size();
        log.resize(kept);
        int markers = 0;
        for (size_t i = 1; i < log.size(); ++i) markers += isMarker(log[i]) ? 1 : 0;
        const size_t added = random() % 6;
        for (size_t i = 0; i < added; ++i) {
            if (random() % 5 == 0) {
                log.push_back(kFirstMarker + ++markers);
                continue;
            }
            int x = 1 + random() % (2 * kKey.width + 1);
            int y = 1 + random() % (2 * kKey.height + 1);
            if ((x + y) % 2 == 0) x = x == 1 ? 2 : x - 1;
            log.push_back(moveEntry(x, y, 2 + random() % 2));
        }
        h.bytes +=
            encodeProgressRecord(static_cast<uint32_t>(kept), log.data() + kept, log.size() - kept);
        h.recordEnds.push_back(h.bytes.size());
        h.logs.push_back(log);
    }
    return h;
}

std::optional<ProgressContents> parse(const std::string& bytes, size_t length) {
    return parseProgressBytes(reinterpret_cast<const uint8_t*>(bytes.data()), length);
}

TEST(ProgressFormat, EveryCutLengthGivesTheLogOfTheWholeRecordsBeforeIt) {
    std::mt19937 random(17);
    for (int round = 0; round < 20; ++round) {
        const History h = randomHistory(random, 12);
        for (size_t length = 0; length <= h.bytes.size(); ++length) {
            const auto contents = parse(h.bytes, length);
            if (length < kProgressHeaderBytes) {
                EXPECT_FALSE(contents) << length;
                continue;
            }
            ASSERT_TRUE(contents) << length;
            size_t whole = 0;
            while (whole < h.recordEnds.size() && h.recordEnds[whole] <= length) ++whole;
            EXPECT_EQ(contents->records, whole);
            EXPECT_EQ(contents->log, h.logs[whole]) << length;
            EXPECT_EQ(contents->damage.empty(), whole == 0 ? length == kProgressHeaderBytes
                                                           : h.recordEnds[whole - 1] == length);
            EXPECT_TRUE(isPlayableLog(kKey, contents->log));
        }
    }
}

TEST(ProgressFormat, AFlippedByteStopsTheReadingAtItsRecord) {
    std::mt19937 random(18);
    for (int round = 0; round < 2000; ++round) {
        History h = randomHistory(random, 8);
        const size_t at = random() % h.bytes.size();
        h.bytes[at] = static_cast<char>(h.bytes[at] ^ (1 + random() % 255));
        const auto contents = parse(h.bytes, h.bytes.size());
        if (at < kProgressHeaderBytes) {
            EXPECT_FALSE(contents) << at;
            continue;
        }
        ASSERT_TRUE(contents);
        size_t damaged = 0;
        while (h.recordEnds[damaged] <= at) ++damaged;
        EXPECT_EQ(contents->records, damaged);
        EXPECT_EQ(contents->log, h.logs[damaged]);
        EXPECT_FALSE(contents->damage.empty());
    }
}

TEST(ProgressFormat, RecordsThatPlayCannotMakeAreRefused) {
    const int32_t goodMove = moveEntry(2, 1, 3);
    const std::vector<std::pair<std::vector<int32_t>, uint32_t>> refused = {
        {{moveEntry(2, 2, 3)}, 1},   // a cell, not an edge
        {{moveEntry(14, 1, 3)}, 1},  // beyond the right edge
        {{moveEntry(2, 1, 0)}, 1},   // the check's temporary value
        {{kFirstMarker + 2}, 1},     // a step marker out of order
        {{goodMove}, 3},             // keeps more than the log holds
        {{goodMove}, 0},             // drops the first marker
    };
    for (const auto& [entries, kept] : refused) {
        const std::string bytes = encodeProgressHeader(kKey) +
                                  encodeProgressRecord(1, &goodMove, 1) +
                                  encodeProgressRecord(kept, entries.data(), entries.size());
        const auto contents = parse(bytes, bytes.size());
        ASSERT_TRUE(contents);
        EXPECT_EQ(contents->records, 1u);
        EXPECT_EQ(contents->log, (KeptLog{kFirstMarker, goodMove}));
    }
}

}  // namespace
}  // namespace vexilo
