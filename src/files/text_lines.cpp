#include "files/text_lines.h"

#include <algorithm>

#include "files/file_access.h"

namespace vexilo {

std::vector<std::string> splitTextLines(std::string_view text) {
    const size_t end = std::min(text.find('\0'), text.size());
    std::vector<std::string> lines;
    size_t p = text.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
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
    return readPuzzleFileBytes(path);
}

std::vector<std::string> loadTextLines(const std::string& path) {
    return splitTextLines(readWholeFile(path));
}

void saveTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    writeFileCarefully(path, text);
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
