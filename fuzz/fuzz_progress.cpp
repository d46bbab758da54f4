// The reader of kept progress. The bytes are read twice: as a progress file, and as the
// records of a file made for them (a header for a board of up to 8 x 8, then records whose
// lengths and checksums are right, so the fuzzer reaches the log rules behind them). What
// is read is a log play could have made, and written whole it reads back the same.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/move_entry.h"
#include "progress/progress_format.h"

using namespace vexilo;

namespace {

void checkContents(const ProgressContents& contents, size_t size) {
    if (contents.log.empty() || contents.log[0] != kFirstMarker || contents.usedBytes > size) {
        fuzz::fail("a progress log that does not start with the first marker");
    }
    if (!isPlayableLog(contents.key, contents.log)) fuzz::fail("an unplayable log was read");
    const std::string whole = encodeProgressFile(contents.key, contents.log);
    const auto again =
        parseProgressBytes(reinterpret_cast<const uint8_t*>(whole.data()), whole.size());
    if (!again || again->log != contents.log || again->key != contents.key ||
        !again->damage.empty()) {
        fuzz::fail("the log written whole does not read back the same");
    }
}

std::string fileMadeOf(const uint8_t* data, size_t size, PuzzleKey& key) {
    key.width = 1 + data[0] % 8;
    key.height = 1 + data[1] % 8;
    key.digest = data[2];
    std::string file = encodeProgressHeader(key);
    for (size_t at = 3; at + 5 <= size;) {
        const size_t count = data[at] % 16;
        uint32_t kept = 0;
        std::memcpy(&kept, data + at + 1, 4);
        at += 5;
        std::vector<int32_t> entries;
        for (; entries.size() < count && at + 4 <= size; at += 4) {
            int32_t entry = 0;
            std::memcpy(&entry, data + at, 4);
            entries.push_back(entry);
        }
        file += encodeProgressRecord(kept % 64, entries.data(), entries.size());
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto contents = parseProgressBytes(data, size)) checkContents(*contents, size);
    if (size < 3) return 0;
    PuzzleKey key;
    const std::string file = fileMadeOf(data, size, key);
    const auto contents =
        parseProgressBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    if (!contents || contents->key != key) fuzz::fail("a made progress file was not read");
    checkContents(*contents, file.size());
    return 0;
}
