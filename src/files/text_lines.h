// Text files as lists of lines in the single-byte code page, the way every puzzle file is
// read and written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexilo {

// The mark some editors put before UTF-8 text.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Splits text into lines. A leading UTF-8 byte-order mark is skipped. A line ends at CR LF,
// at a bare LF or at a bare CR; a zero byte ends the text. A line end at the very end of the
// text opens no further line.
std::vector<std::string> splitTextLines(std::string_view text);

// The whole content of a puzzle file, as bytes (readPuzzleFileBytes). Throws FileError when
// it cannot be read or is no puzzle file: not a regular file, or larger than 4 MB.
std::string readWholeFile(const std::string& path);

// readWholeFile, split into lines.
std::vector<std::string> loadTextLines(const std::string& path);

// Writes every line followed by CR LF, through writeFileCarefully. Throws FileError when
// that fails.
void saveTextLines(const std::string& path, const std::vector<std::string>& lines);

// The part of a path after its last '/'.
std::string fileNamePart(const std::string& path);

// The extension of a path with its dot, upper-cased ("x/a.alc" gives ".ALC"); empty when the
// file name has no dot.
std::string upperExtension(const std::string& path);

}  // namespace vexilo
