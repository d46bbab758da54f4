// Reading and writing puzzle files the careful way: a reader looks at what a path is before
// it reads a byte, a writer respects the file's permissions, owner, links and the disk's
// write order. Linux (POSIX) calls; every failure is a FileError that names the path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "files/error_text.h"

namespace vexilo {

// A puzzle file is small (a 500 x 500 native file is about 250 KB); anything larger is
// refused before it is read.
inline constexpr std::uint64_t kMaxPuzzleFileBytes = 4u << 20;

// The largest file a reader takes, and the error that refuses a larger one ({0} the path,
// {1} its size, {2} the largest).
struct FileSizeLimit {
    std::uint64_t maxBytes;
    ErrorKind tooLarge;
};
inline constexpr FileSizeLimit kPuzzleFileLimit{kMaxPuzzleFileBytes, ErrorKind::kFileTooLarge};

// The first maxBytes bytes of the file at path (the whole file for the default), once it is
// known to be a regular file (or a link to one) within the limit. A folder, a device, a
// pipe or a socket is refused without waiting for data, as is a larger file.
std::string readRegularFile(const std::string& path, const FileSizeLimit& limit,
                            std::size_t maxBytes = SIZE_MAX);

// readRegularFile for a puzzle file (kPuzzleFileLimit).
std::string readPuzzleFileBytes(const std::string& path, std::size_t maxBytes = SIZE_MAX);

// Replaces the content of the file at path with bytes, or creates it. Like a careful editor:
//  - a file the user may not write is left alone (root included when its owner has no
//    write permission: the owner marked it read-only);
//  - a symbolic link is followed, and its target is written;
//  - normally the bytes go to a temporary file beside the target, flushed to disk, given the
//    target's owner, group and mode, and renamed over it; the folder is then flushed, so a
//    power cut leaves the old or the new file;
//  - where a rename would lose something (the file has other hard links, or its owner or
//    group cannot be given to a new file, or the folder may not be written) the file is
//    rewritten in place instead and flushed.
// Throws FileError saying why nothing (or, in place, not everything) was written.
void writeFileCarefully(const std::string& path, const std::string& bytes);

}  // namespace vexilo
