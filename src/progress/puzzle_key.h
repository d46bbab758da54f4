// The key under which a puzzle's progress is kept: its size and clues, nothing else, so that
// a moved, copied or re-rated puzzle file finds its progress again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexilo {

struct PuzzleState;

struct PuzzleKey {
    int width = 0;
    int height = 0;
    uint64_t digest = 0;  // of the clue of every cell, row by row

    bool operator==(const PuzzleKey&) const = default;
};

// The key of the loaded puzzle (W, H and clueGrid); inside/outside marks in the clue grid
// do not count.
PuzzleKey puzzleKeyOf(const PuzzleState& state);

// The key that loading these native text lines would give, without loading them; nothing
// when the text is not a puzzle the native reader accepts.
std::optional<PuzzleKey> puzzleKeyOfNativeLines(const std::vector<std::string>& lines);

// The key of a native puzzle file; nothing when it cannot be read or is not a puzzle.
std::optional<PuzzleKey> puzzleKeyOfNativeFile(const std::string& path);

// "12x34-0123456789abcdef": the base name of the puzzle's progress files.
std::string progressBaseName(const PuzzleKey& key);

}  // namespace vexilo
