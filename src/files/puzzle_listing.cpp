#include "files/puzzle_listing.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "files/error_text.h"

namespace vexilo {

namespace {

constexpr std::string_view kNativeHeader = "[Vexilo data]";
// The listing needs the header word and columns 15-28; a few more characters cost nothing.
constexpr std::size_t kHeaderCharsRead = 64;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Characters first to first + count - 1 (1-based) of line, cut short where the line ends.
std::string columns(const std::string& line, std::size_t first, std::size_t count) {
    if (line.size() < first) return {};
    return line.substr(first - 1, count);
}

}  // namespace

bool isPuzzleFileName(const std::string& name) {
    constexpr std::string_view ext = ".alc";
    if (name.size() < ext.size()) return false;
    const std::size_t start = name.size() - ext.size();
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char c = name[start + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != ext[i]) return false;
    }
    return true;
}

std::string readFirstLine(const std::string& path, std::size_t maxChars) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw Explained<std::runtime_error>(ErrorKind::kCannotOpen, {path}, errno);
    }
    std::string text(maxChars, '\0');
    const std::size_t got = std::fread(text.data(), 1, maxChars, file.get());
    if (got < maxChars && std::ferror(file.get())) {
        throw Explained<std::runtime_error>(ErrorKind::kCannotRead, {path}, errno);
    }
    text.resize(got);
    const std::size_t end = text.find_first_of(std::string_view("\r\n\0", 3));
    if (end != std::string::npos) text.resize(end);
    return text;
}

void listPuzzleFiles(const std::string& folder,
                     const std::function<void(PuzzleListRow&&)>& addRow) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return;
        const std::string name = it->path().filename().string();
        if (!isPuzzleFileName(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string line = readFirstLine(folder + name, kHeaderCharsRead);
        if (line.compare(0, kNativeHeader.size(), kNativeHeader) != 0) continue;
        addRow(PuzzleListRow{name, columns(line, 15, 9), columns(line, 25, 4)});
    }
}

}  // namespace vexilo
