// The file operations of kept progress, so that a crash or a power cut leaves either the
// old or the new content. Whole files are written by files/' careful writer
// (writeFileCarefully: a temporary file flushed to disk and renamed over the old one);
// appends are flushed before they count, and a removal is flushed in its folder. Every
// function throws a std::runtime_error (a FileError from files/) naming the file and the
// reason.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/file_access.h"

namespace vexilo {

// The largest progress file the store reads: well above the largest the writer makes (see
// progress_writer.cpp), far below what could exhaust memory.
inline constexpr std::uint64_t kMaxProgressFileBytes = 16u << 20;
inline constexpr FileSizeLimit kProgressFileLimit{kMaxProgressFileBytes,
                                                  ErrorKind::kProgressTooLarge};

// Appends bytes to an existing file with one write and flushes them.
void appendDurably(const std::string& path, std::string_view bytes);

// Removes path if it exists and flushes the folder.
void removeDurably(const std::string& path);

// The whole progress file at path; false, with nothing read, when there is no such file.
// Throws FileError when it cannot be read, is not a regular file (a folder, a pipe) or is
// larger than kMaxProgressFileBytes.
bool readProgressFile(const std::string& path, std::string& bytes);

// Creates the folder and its parents when missing.
void makeFolders(const std::string& folder);

}  // namespace vexilo
