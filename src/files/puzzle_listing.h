// The Open II listing: the native puzzle files of one folder with the size and rating
// their header line announces. Only the header line of each file is read, so a folder of
// thousands of puzzles lists quickly.
#pragma once

#include <functional>
#include <string>

namespace vexilo {

struct PuzzleListRow {
    std::string fileName;  // the name without folder
    std::string size;      // header characters 15-23, unchanged ("  4 x   3")
    std::string rating;    // header characters 25-28, unchanged ("2", "-1" or empty)
};

// The beginning of a file's first line, after a UTF-8 byte-order mark: up to the first CR,
// LF or zero byte (a zero byte ends the text), at most maxChars characters; empty for an
// empty file. Throws FileError when the file cannot be opened or read, or is no puzzle file
// (not a regular file, or larger than 4 MB).
std::string readFirstLine(const std::string& path, std::size_t maxChars);

// Calls addRow for every file of folder whose name matches "*.ALC" (without regard to case)
// and whose first line begins with "[Vexilo data]", in the order the directory listing
// gives them. Only regular files (or links to them) count: folders, whatever their name,
// and special files such as pipes, which could block the reader, are left out. folder is a
// path ending in "/", or empty for the current folder. A file that cannot be read is skipped;
// once every other file is listed, the FileError of the first such file is thrown. A folder
// that cannot be listed gives no rows.
void listPuzzleFiles(const std::string& folder, const std::function<void(PuzzleListRow&&)>& addRow);

}  // namespace vexilo
