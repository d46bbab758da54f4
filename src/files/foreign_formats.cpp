#include "files/foreign_formats.h"

#include <cstdint>
#include <stdexcept>

#include "files/error_text.h"
#include "files/file_errors.h"
#include "files/native_file.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"

namespace vexilo {

namespace {

bool sizeOutside(int width, int height) {
    return width < 1 || width > kMaxCells || height < 1 || height > kMaxCells;
}

// Refuses a size the program cannot hold; the message names the file.
void checkSize(const std::string& fileName, int width, int height) {
    if (sizeOutside(width, height)) {
        throw Explained<FormatError>(ErrorKind::kSizeOutside,
                                     {fileName, std::to_string(width), std::to_string(height),
                                      std::to_string(kMaxCells)});
    }
}

char clueCharacterOfLetter(uint8_t b) {
    return (b >= 'D' && b <= 'G') ? static_cast<char>('0' + (b - 'D')) : '-';
}

// The two byte formats .LPM and .SLT differ only in where things lie.
struct ByteLayout {
    size_t minimumSize;
    size_t widthOffset;
    size_t anchorAfterHeight;  // from the offset just past the height byte to the ':'
};

// Reads a size byte at `at` with the CR LF rule; moves `at` past it.
int readSizeByte(const std::string& bytes, size_t& at) {
    if (bytes[at] == '\r' && bytes[at + 1] == '\n') {
        at += 2;
        return 10;
    }
    return static_cast<int8_t>(bytes[at++]);
}

void loadByteFormat(PuzzleState& state, const std::string& path, const ByteLayout& layout,
                    bool slt) {
    const std::string bytes = readWholeFile(path);
    if (bytes.size() < layout.minimumSize) return;
    size_t at = layout.widthOffset;
    const int width = readSizeByte(bytes, at);
    const int height = readSizeByte(bytes, at);
    const size_t anchor = at + layout.anchorAfterHeight;
    if (bytes[anchor] != ':') return;
    checkSize(fileNamePart(path), width, height);

    const size_t stride = slt ? static_cast<size_t>(4 * height + 6) : 86;
    const size_t firstCell = anchor + (slt ? stride + 2 : 88);
    auto& lines = state.fileLines;
    lines.push_back(formatNativeHeader(width, height, -1));
    lines.emplace_back(kStartMarker);
    for (int r = 0; r < height; ++r) {
        std::string row(static_cast<size_t>(width), '-');
        for (int c = 0; c < width; ++c) {
            const size_t offset = firstCell + stride * static_cast<size_t>(c) + 2 * r;
            if (offset < bytes.size()) row[c] = clueCharacterOfLetter(bytes[offset]);
        }
        lines.push_back(std::move(row));
    }
    lines.emplace_back(kEndMarker);
}

}  // namespace

void convertSlzLines(PuzzleState& state) {
    auto& lines = state.fileLines;
    if (lines.empty()) throw Explained<std::out_of_range>(ErrorKind::kSlzNoLine, {});
    const int width = requiredHeaderField(lines[0], 2, 3, "width");
    const int height = requiredHeaderField(lines[0], 16, 3, "height");
    if (sizeOutside(width, height)) {
        throw Explained<FormatError>(
            ErrorKind::kSlzSizeOutside,
            {std::to_string(width), std::to_string(height), std::to_string(kMaxCells)});
    }
    const size_t bodyEnd = static_cast<size_t>(height) + 2;
    if (lines.size() < bodyEnd) return;
    lines[0] = formatNativeHeader(width, height, -1);
    lines[1] = kStartMarker;
    if (lines.size() == bodyEnd) {
        lines.emplace_back(kEndMarker);
    } else {
        lines[bodyEnd] = kEndMarker;
    }
}

void loadLpmFile(PuzzleState& state, const std::string& path) {
    loadByteFormat(state, path, ByteLayout{2467, 2, 5}, false);
}

void loadSltFile(PuzzleState& state, const std::string& path) {
    loadByteFormat(state, path, ByteLayout{2036, 4, 3}, true);
}

void loadRingFile(PuzzleState& state, const std::string& path) {
    const std::string bytes = readWholeFile(path);
    const int64_t size = static_cast<int64_t>(bytes.size());
    // The word at p, or nothing when it lies outside the file.
    auto wordAt = [&](int64_t p, int32_t& word) {
        if (p < 0 || p + 4 > size) return false;
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[p + i]);
        word = static_cast<int32_t>(v);
        return true;
    };
    int32_t word = 0;
    if (size < 52 || !wordAt(0, word) || word != 100) return;
    int32_t height = 0;
    int32_t width = 0;
    wordAt(8, height);
    wordAt(12, width);
    checkSize(fileNamePart(path), width, height);

    int64_t p = 24;
    if (!wordAt(p, word)) return;
    p += 4 * static_cast<int64_t>(word) + 16;
    for (int list = 0; list < 3; ++list) {
        if (!wordAt(p, word)) return;
        p += 4 * static_cast<int64_t>(word) + 4;
    }
    const int64_t lattice = p;
    const int64_t rowWords = 2 * static_cast<int64_t>(width) + 1;
    const int64_t latticeWords = rowWords * (2 * static_cast<int64_t>(height) + 1);
    if (lattice < 0 || size < lattice + 8 * latticeWords) return;

    auto& lines = state.fileLines;
    lines.push_back(formatNativeHeader(width, height, -1));
    lines.emplace_back(kStartMarker);
    for (int r = 0; r < height; ++r) {
        std::string row(static_cast<size_t>(width), '-');
        for (int c = 0; c < width; ++c) {
            const int64_t offset = lattice + 4 * ((2 * r + 1) * rowWords + 2 * c + 1);
            const uint8_t b = static_cast<uint8_t>(bytes[static_cast<size_t>(offset)]);
            if (b <= 3) row[c] = static_cast<char>('0' + b);
        }
        lines.push_back(std::move(row));
    }
    lines.emplace_back(kEndMarker);
}

}  // namespace vexilo
