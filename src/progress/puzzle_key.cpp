#include "progress/puzzle_key.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "files/native_file.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo {

namespace {

// FNV-1a over the size and the clue of each cell; rows of equal clues in a different shape
// give a different digest because the size goes first.
class ClueDigest {
  public:
    ClueDigest(int width, int height) {
        addWord(static_cast<uint32_t>(width));
        addWord(static_cast<uint32_t>(height));
    }
    void addClue(uint8_t cellCode) { addByte(static_cast<uint8_t>(cellCode & 7)); }
    uint64_t value() const { return hash_; }

  private:
    void addByte(uint8_t byte) {
        hash_ ^= byte;
        hash_ *= 0x100000001B3ull;
    }
    void addWord(uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) addByte(static_cast<uint8_t>(word >> shift));
    }
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

}  // namespace

PuzzleKey puzzleKeyOf(const PuzzleState& state) {
    ClueDigest digest(state.W(), state.H());
    for (int r = 0; r < state.H(); ++r) {
        for (int c = 0; c < state.W(); ++c) digest.addClue((*state.clueGrid)[r][c]);
    }
    return {state.W(), state.H(), digest.value()};
}

std::optional<PuzzleKey> puzzleKeyOfNativeLines(const std::vector<std::string>& lines) {
    // The same reading as the native reader's: the header's width is a minimum, the rows
    // up to "[End]" give the height, and a longer row widens the puzzle.
    if (lines.size() < 2 || !lines[0].starts_with(kNativeHeaderWord) || lines[1] != kStartMarker) {
        return std::nullopt;
    }
    int width = 0;
    try {
        width = headerField(lines[0], 15, 3, 0, "width");
        headerField(lines[0], 21, 3, 0, "height");
        headerField(lines[0], 25, 4, Difficulty::kUnsolvable, "rating");
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (width < 0 || width > kMaxCells) return std::nullopt;
    size_t end = 2;
    for (; end < 2 + static_cast<size_t>(kMaxCells); ++end) {
        if (end == lines.size()) return std::nullopt;  // the native reader throws here
        if (lines[end] == kEndMarker) break;
        width = std::max(width, static_cast<int>(std::min<size_t>(lines[end].size(), kMaxCells)));
    }
    const int height = static_cast<int>(end - 2);
    ClueDigest digest(width, height);
    for (size_t i = 2; i < end; ++i) {
        const std::string& row = lines[i];
        for (int c = 0; c < width; ++c) {
            digest.addClue(static_cast<size_t>(c) < row.size() ? cellCodeOf(row[c]) : 0);
        }
    }
    return PuzzleKey{width, height, digest.value()};
}

std::optional<PuzzleKey> puzzleKeyOfNativeFile(const std::string& path) {
    try {
        return puzzleKeyOfNativeLines(loadTextLines(path));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string progressBaseName(const PuzzleKey& key) {
    char name[64];
    std::snprintf(name, sizeof name, "%dx%d-%016llx", key.width, key.height,
                  static_cast<unsigned long long>(key.digest));
    return name;
}

}  // namespace vexilo
