// Helpers for the file tests: a private temporary folder and byte-exact files in it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexilo::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path of `name` in the folder.
    std::string path(const std::string& name) const;
    // Writes `bytes` exactly into `name`; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> names() const;

  private:
    std::filesystem::path root_;
};

// Lines joined with CR LF after every line.
std::string crlf(const std::vector<std::string>& lines);

}  // namespace vexilo::testing
