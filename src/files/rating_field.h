// The rating write-back that keeps a file's other bytes: only the rating field of the native
// header line changes, so rows the program does not read (beyond 500, after "[End]"), other
// line ends and a byte-order mark stay as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexilo {

// The bytes of a native file with the rating field (columns 25-28 of the header line) set to
// rating. A field that runs to the line's end is replaced; one followed by more text is
// filled with blanks to its four columns, so that text keeps its place; a header line shorter
// than the field is padded with blanks. Nothing when the text does not start with the header
// word (after an optional UTF-8 byte-order mark).
std::optional<std::string> withHeaderRating(std::string_view fileBytes, int rating);

}  // namespace vexilo
