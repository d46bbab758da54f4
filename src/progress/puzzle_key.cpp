#include "progress/puzzle_key.h"

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
    std::optional<NativePuzzle> puzzle;
    try {
        puzzle = parseNativeText(lines);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!puzzle) return std::nullopt;
    ClueDigest digest(puzzle->width, puzzle->height);
    for (int r = 0; r < puzzle->height; ++r) {
        for (int c = 0; c < puzzle->width; ++c) digest.addClue(puzzle->cell(r, c));
    }
    return PuzzleKey{puzzle->width, puzzle->height, digest.value()};
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
