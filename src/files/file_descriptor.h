// The POSIX pieces of careful file access: a descriptor closed at the end of its scope, a
// write loop that survives interruptions and short writes, and the flush of a folder.
#pragma once

#include <string>
#include <string_view>

namespace vexilo {

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; false (errno set) when the close reports a failed write.
    bool close();

  private:
    int fd_;
};

// Writes all bytes to fd; false (errno set, or 0 for a write that made no progress) when a
// write fails.
bool writeAll(int fd, std::string_view bytes);

// The folder a path lies in: "." for a bare name.
std::string folderOf(const std::string& path);

// Flushes the folder's entries (a rename or a removal in it); false (errno set) when it
// cannot be opened or flushed, which some file systems cannot do.
bool syncFolder(const std::string& folder);

}  // namespace vexilo
