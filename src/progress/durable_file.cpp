#include "progress/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vexilo {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path) {
    throw std::runtime_error(std::string("Cannot ") + what + " \"" + path + "\". " +
                             std::strerror(errno));
}

class FileHandle {
  public:
    FileHandle(const std::string& path, int flags) : fd_(::open(path.c_str(), flags, 0644)) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return fd_; }
    // Closes now, so that a failed close is reported.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

void writeAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail("write", path);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

void syncFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    FileHandle dir(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd() < 0 || ::fsync(dir.fd()) != 0) fail("flush the folder", folder);
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp";
    {
        FileHandle file(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
        if (file.fd() < 0) fail("create", temporary);
        writeAll(file.fd(), bytes, temporary);
        if (::fsync(file.fd()) != 0) fail("flush", temporary);
        if (!file.close()) fail("close", temporary);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) fail("replace", path);
    syncFolder(path);
}

void appendDurably(const std::string& path, std::string_view bytes) {
    FileHandle file(path, O_WRONLY | O_APPEND | O_CLOEXEC);
    if (file.fd() < 0) fail("open", path);
    writeAll(file.fd(), bytes, path);
    if (::fdatasync(file.fd()) != 0) fail("flush", path);
    if (!file.close()) fail("close", path);
}

void removeDurably(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return;
        fail("remove", path);
    }
    syncFolder(path);
}

bool readFileBytes(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void makeFolders(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw std::runtime_error("Cannot create the folder \"" + folder + "\". " + ec.message());
    }
}

}  // namespace vexilo
