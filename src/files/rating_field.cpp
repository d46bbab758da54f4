#include "files/rating_field.h"

#include "files/native_file.h"
#include "files/text_lines.h"

namespace vexilo {

namespace {

constexpr std::size_t kRatingColumn = kRatingField.column;  // 1-based
constexpr std::size_t kRatingWidth = kRatingField.count;

}  // namespace

std::optional<std::string> withHeaderRating(std::string_view fileBytes, int rating) {
    const std::size_t lineStart =
        fileBytes.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
    if (!fileBytes.substr(lineStart).starts_with(kNativeHeaderWord)) return std::nullopt;
    std::size_t lineEnd = fileBytes.find_first_of(std::string_view("\r\n\0", 3), lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = fileBytes.size();

    const std::size_t fieldStart = lineStart + kRatingColumn - 1;
    std::string field = std::to_string(rating);
    std::size_t fieldEnd = lineEnd;
    if (lineEnd < fieldStart) {
        field.insert(0, fieldStart - lineEnd, ' ');
    } else if (lineEnd > fieldStart + kRatingWidth) {
        fieldEnd = fieldStart + kRatingWidth;
        if (field.size() < kRatingWidth) field.append(kRatingWidth - field.size(), ' ');
    }
    const std::size_t keepUpTo = std::min(fieldStart, lineEnd);
    std::string result(fileBytes.substr(0, keepUpTo));
    result += field;
    result += fileBytes.substr(fieldEnd);
    return result;
}

}  // namespace vexilo
