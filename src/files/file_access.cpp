#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <random>

#include "files/error_text.h"
#include "files/file_descriptor.h"
#include "files/file_errors.h"

namespace vexilo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(ErrorKind kind, const std::string& path, int systemError = 0) {
    throw Explained<FileError>(kind, {path}, systemError);
}

// Throws when the user may not write the file. Root passes every permission check, so for
// root a file whose owner has no write permission counts as read-only, as it does for its
// owner.
void checkMayWrite(const std::string& target, const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES) fail(ErrorKind::kReadOnly, path);
        fail(ErrorKind::kCannotWrite, path, errno);
    }
    if (::geteuid() == 0 && (st.st_mode & S_IWUSR) == 0) fail(ErrorKind::kReadOnly, path);
}

// The file a path names, following symbolic links (also to a file not yet there).
std::string resolvedTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

void writeInPlace(const std::string& target, const std::string& path, const std::string& bytes) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) fail(ErrorKind::kCannotWrite, path, errno);
    if (!writeAll(fd.get(), bytes) ||
        ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0 ||
        !fd.close()) {
        fail(ErrorKind::kCannotWrite, path, errno);
    }
}

// Opens a new file beside target that did not exist before; returns its path.
std::string createTemporaryBeside(const std::string& target, const std::string& path, int& fd) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const fs::path t(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = (t.parent_path() / ("." + t.filename().string() + "." +
                                                          std::to_string(random() % 1000000) + "-" +
                                                          std::to_string(counter++) + ".tmp"))
                                          .string();
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return candidate;
        if (errno != EEXIST) fail(ErrorKind::kCannotWrite, path, errno);
    }
    fail(ErrorKind::kNoTemporaryName, path);
}

// Writes bytes into a temporary file given old's owner, group and mode (when old is set),
// and renames it over target. Returns false, leaving target alone, when the owner or group
// cannot be given; throws when the writing fails.
bool replaceByRename(const std::string& target, const std::string& path, const std::string& bytes,
                     const struct stat* old) {
    int raw = -1;
    const std::string temporary = createTemporaryBeside(target, path, raw);
    Descriptor fd(raw);
    auto discard = [&] { ::unlink(temporary.c_str()); };
    if (old != nullptr) {
        const bool sameOwner = old->st_uid == ::geteuid() && old->st_gid == ::getegid();
        if (!sameOwner && ::fchown(fd.get(), old->st_uid, old->st_gid) != 0) {
            discard();
            return false;
        }
        ::fchmod(fd.get(), old->st_mode & 07777);
    }
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.close()) {
        const int err = errno;
        discard();
        fail(ErrorKind::kCannotWrite, path, err);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int err = errno;
        discard();
        fail(ErrorKind::kCannotReplace, path, err);
    }
    // Some file systems cannot flush a folder; the data is then as safe as they make it.
    syncFolder(folderOf(target));
    return true;
}

}  // namespace

std::string readRegularFile(const std::string& path, const FileSizeLimit& limit,
                            std::size_t maxBytes) {
    // Without O_NONBLOCK, opening a pipe would wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) fail(ErrorKind::kCannotOpen, path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail(ErrorKind::kCannotRead, path, errno);
    if (S_ISDIR(st.st_mode)) fail(ErrorKind::kReadFolder, path);
    if (!S_ISREG(st.st_mode)) fail(ErrorKind::kReadNotAFile, path);
    const auto tooLarge = [&](std::uint64_t size) {
        throw Explained<FileError>(limit.tooLarge,
                                   {path, std::to_string(size), std::to_string(limit.maxBytes)});
    };
    if (static_cast<std::uint64_t>(st.st_size) > limit.maxBytes) tooLarge(st.st_size);

    // The file may grow while it is read: read no more than the bound allows.
    const std::size_t readLimit =
        static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes, limit.maxBytes + 1));
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < readLimit) {
        const std::size_t want = std::min(sizeof buffer, readLimit - bytes.size());
        const ssize_t n = ::read(fd.get(), buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(ErrorKind::kCannotRead, path, errno);
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (bytes.size() > limit.maxBytes) tooLarge(bytes.size());
    return bytes;
}

std::string readPuzzleFileBytes(const std::string& path, std::size_t maxBytes) {
    return readRegularFile(path, kPuzzleFileLimit, maxBytes);
}

void writeFileCarefully(const std::string& path, const std::string& bytes) {
    const std::string target = resolvedTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) fail(ErrorKind::kCannotWrite, path, errno);
        replaceByRename(target, path, bytes, nullptr);
        return;
    }
    if (S_ISDIR(st.st_mode)) fail(ErrorKind::kWriteFolder, path);
    if (!S_ISREG(st.st_mode)) fail(ErrorKind::kWriteNotAFile, path);
    checkMayWrite(target, path, st);
    const bool folderWritable =
        ::faccessat(AT_FDCWD, folderOf(target).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    if (st.st_nlink > 1 || !folderWritable || !replaceByRename(target, path, bytes, &st)) {
        writeInPlace(target, path, bytes);
    }
}

}  // namespace vexilo
