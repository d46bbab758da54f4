#include "files/puzzle_formats.h"

#include "files/text_lines.h"

namespace vexilo {

std::optional<PuzzleFormat> puzzleFormatOf(const std::string& path) {
    const std::string extension = upperExtension(path);
    for (const PuzzleFormatEntry& entry : kPuzzleFormats) {
        if (extension == entry.extension) return entry.format;
    }
    return std::nullopt;
}

bool isNativeFileName(const std::string& path) {
    return puzzleFormatOf(path) == PuzzleFormat::kNative;
}

bool isPuzzleFileName(const std::string& path) {
    return puzzleFormatOf(path).has_value();
}

}  // namespace vexilo
