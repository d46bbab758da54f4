// The puzzle file formats the open command reads, told apart by the file's extension (in
// any case): the native .ALC text and the four foreign formats. Every list of puzzle
// extensions (the open dialog's filters, a folder's puzzles, a dropped file) is this table.
#pragma once

#include <optional>
#include <string>

namespace vexilo {

enum class PuzzleFormat { kNative, kSlz, kLpm, kRing, kSlt };

struct PuzzleFormatEntry {
    PuzzleFormat format;
    const char* extension;   // upper case, with its dot
    const char* dialogName;  // how the open dialog names the format
};

// The extension of the native format, the only one ever written.
inline constexpr const char* kNativeExtension = ".ALC";

// In the order the open dialog lists them.
inline constexpr PuzzleFormatEntry kPuzzleFormats[] = {
    {PuzzleFormat::kNative, kNativeExtension, "ORBループコース"},
    {PuzzleFormat::kSlz, ".SLZ", "SLZ形式"},
    {PuzzleFormat::kLpm, ".LPM", "LPM形式"},
    {PuzzleFormat::kRing, ".RING", "RING形式"},
    {PuzzleFormat::kSlt, ".SLT", "SLT形式"},
};
static_assert(kPuzzleFormats[0].format == PuzzleFormat::kNative, "the native format comes first");

// The format a path's extension names, or nothing for any other extension.
std::optional<PuzzleFormat> puzzleFormatOf(const std::string& path);

// True when the path ends in ".ALC" (in any case): the native files, which Open II lists
// and the writer writes.
bool isNativeFileName(const std::string& path);

// True when the path ends in one of the five puzzle extensions (in any case).
bool isPuzzleFileName(const std::string& path);

}  // namespace vexilo
