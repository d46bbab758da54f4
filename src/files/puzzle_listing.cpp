#include "files/puzzle_listing.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string_view>

#include "files/file_access.h"
#include "files/file_errors.h"
#include "files/native_file.h"
#include "files/puzzle_formats.h"
#include "files/text_lines.h"

namespace vexilo {

namespace {

// The size column runs from the width field to the end of the height field ("  4 x   3").
constexpr std::size_t kSizeColumn = kWidthField.column;
constexpr std::size_t kSizeCount = kHeightField.column + kHeightField.count - kWidthField.column;
// The listing needs the header word and the fields up to the rating's; a few more
// characters cost nothing.
constexpr std::size_t kHeaderCharsRead = 64;

// Characters first to first + count - 1 (1-based) of line, cut short where the line ends.
std::string columns(const std::string& line, std::size_t first, std::size_t count) {
    if (line.size() < first) return {};
    return line.substr(first - 1, count);
}

}  // namespace

std::string readFirstLine(const std::string& path, std::size_t maxChars) {
    std::string text = readPuzzleFileBytes(path, maxChars + kUtf8ByteOrderMark.size());
    if (std::string_view(text).starts_with(kUtf8ByteOrderMark)) {
        text.erase(0, kUtf8ByteOrderMark.size());
    }
    text.resize(std::min(text.size(), maxChars));
    const std::size_t end = text.find_first_of(std::string_view("\r\n\0", 3));
    if (end != std::string::npos) text.resize(end);
    return text;
}

void listPuzzleFiles(const std::string& folder,
                     const std::function<void(PuzzleListRow&&)>& addRow) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return;
    std::exception_ptr firstFailure;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (!isNativeFileName(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string line;
        try {
            line = readFirstLine(folder + name, kHeaderCharsRead);
        } catch (const FileError&) {
            if (!firstFailure) firstFailure = std::current_exception();
            continue;
        }
        if (!line.starts_with(kNativeHeaderWord)) continue;
        addRow(PuzzleListRow{name, columns(line, kSizeColumn, kSizeCount),
                             columns(line, kRatingField.column, kRatingField.count)});
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}

}  // namespace vexilo
