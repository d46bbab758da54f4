// Writing files so that a crash or a power cut leaves either the old or the new content:
// a new file goes to a temporary name, is flushed to disk and renamed over the old one,
// and the folder's entry is flushed too. Appends are flushed before they count.
// Every function throws std::runtime_error naming the file and the reason.
#pragma once

#include <string>
#include <string_view>

namespace vexilo {

// Replaces (or creates) path with bytes atomically.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Appends bytes to an existing file with one write and flushes them.
void appendDurably(const std::string& path, std::string_view bytes);

// Removes path if it exists and flushes the folder.
void removeDurably(const std::string& path);

// The whole file; nothing read (false) when it does not exist or cannot be read.
bool readFileBytes(const std::string& path, std::string& bytes);

// Creates the folder and its parents when missing.
void makeFolders(const std::string& folder);

}  // namespace vexilo
