#include "progress/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "files/file_descriptor.h"
#include "files/file_errors.h"

namespace vexilo {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path) {
    throw std::runtime_error(std::string("Cannot ") + what + " \"" + path + "\". " +
                             std::strerror(errno));
}

}  // namespace

void appendDurably(const std::string& path, std::string_view bytes) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (file.get() < 0) fail("open", path);
    if (!writeAll(file.get(), bytes)) fail("write", path);
    if (::fdatasync(file.get()) != 0) fail("flush", path);
    if (!file.close()) fail("close", path);
}

void removeDurably(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return;
        fail("remove", path);
    }
    const std::string folder = folderOf(path);
    if (!syncFolder(folder)) fail("flush the folder", folder);
}

bool readProgressFile(const std::string& path, std::string& bytes) {
    try {
        bytes = readRegularFile(path, kProgressFileLimit);
    } catch (const Explained<FileError>& error) {
        const ErrorText& text = error.errorText();
        if (text.kind == ErrorKind::kCannotOpen && text.systemError == ENOENT) return false;
        throw;
    }
    return true;
}

void makeFolders(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw std::runtime_error("Cannot create the folder \"" + folder + "\". " + ec.message());
    }
}

}  // namespace vexilo
