#include "files/files_test_support.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vexilo::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::random_device random;
    for (;;) {
        root_ = fs::temp_directory_path() /
                ("vexilo-files-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (fs::create_directory(root_)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string TempFolder::path(const std::string& name) const {
    return (root_ / name).string();
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(root_ / name, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write test file " + name);
    return path(name);
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read test file " + name);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> TempFolder::names() const {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(root_)) {
        result.push_back(entry.path().filename().string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace vexilo::testing
