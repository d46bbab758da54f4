// Text files as lists of lines in the single-byte code page, the way every puzzle file is
// read and written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexilo {

// Splits text into lines. A line ends at CR LF, at a bare LF or at a bare CR; a zero byte
// ends the text. A line end at the very end of the text opens no further line.
std::vector<std::string> splitTextLines(std::string_view text);

// The whole content of a file, as bytes. Throws FileError when it cannot be read.
std::string readWholeFile(const std::string& path);

// readWholeFile, split into lines.
std::vector<std::string> loadTextLines(const std::string& path);

// Writes every line followed by CR LF. The old file is replaced only once the new content is
// completely on disk: the text goes to a temporary file in the same folder, which is then
// renamed over the old one. Throws FileError when that fails; the old file is then intact.
void saveTextLines(const std::string& path, const std::vector<std::string>& lines);

// The part of a path after its last '/'.
std::string fileNamePart(const std::string& path);

// The extension of a path with its dot, upper-cased ("x/a.alc" gives ".ALC"); empty when the
// file name has no dot.
std::string upperExtension(const std::string& path);

}  // namespace vexilo
