#include "files/text_lines.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "files/error_text.h"
#include "files/file_errors.h"

namespace vexilo {

namespace fs = std::filesystem;

std::vector<std::string> splitTextLines(std::string_view text) {
    const size_t end = std::min(text.find('\0'), text.size());
    std::vector<std::string> lines;
    size_t p = 0;
    while (p < end) {
        size_t q = p;
        while (q < end && text[q] != '\r' && text[q] != '\n') ++q;
        lines.emplace_back(text.substr(p, q - p));
        if (q < end && text[q] == '\r') ++q;
        if (q < end && text[q] == '\n') ++q;
        p = q;
    }
    return lines;
}

std::string readWholeFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw Explained<FileError>(ErrorKind::kReadFolder, {path});
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Explained<FileError>(ErrorKind::kCannotOpen, {path}, errno);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw Explained<FileError>(ErrorKind::kCannotRead, {path});
    return content.str();
}

std::vector<std::string> loadTextLines(const std::string& path) {
    return splitTextLines(readWholeFile(path));
}

namespace {

// Opens a new file beside `target` that did not exist before; returns its path.
fs::path createTemporaryBeside(const fs::path& target, std::FILE*& file) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + "." +
                                 std::to_string(random() % 1000000) + "-" +
                                 std::to_string(counter++) + ".tmp";
        const fs::path candidate = folder / name;
        file = std::fopen(candidate.c_str(), "wbx");  // x: fails when the file exists
        if (file != nullptr) return candidate;
        if (errno != EEXIST) {
            throw Explained<FileError>(ErrorKind::kCannotWrite, {target.string()}, errno);
        }
    }
    throw Explained<FileError>(ErrorKind::kNoTemporaryName, {target.string()});
}

}  // namespace

void saveTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    // Replace the file a symbolic link points to, not the link.
    fs::path target = path;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) throw Explained<FileError>(ErrorKind::kWriteFolder, {path});

    std::FILE* file = nullptr;
    const fs::path temporary = createTemporaryBeside(target, file);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int err = written ? errno : writeErrno;
        fs::remove(temporary, ec);
        throw Explained<FileError>(ErrorKind::kCannotWrite, {path}, err);
    }
    const auto oldStatus = fs::status(target, ec);
    if (!ec && fs::exists(oldStatus)) {
        fs::permissions(temporary, oldStatus.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw Explained<FileError>(ErrorKind::kCannotReplace, {path}, ec.value());
    }
}

std::string fileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string upperExtension(const std::string& path) {
    const std::string name = fileNamePart(path);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return ext;
}

}  // namespace vexilo
