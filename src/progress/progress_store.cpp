#include "progress/progress_store.h"

#include <filesystem>
#include <iostream>

#include "progress/durable_file.h"

namespace vexilo {

void noteOnConsole(const std::string& text) {
    std::cerr << "vexilo: " << text << std::endl;
}

ProgressStore::ProgressStore(std::string folder, ProgressNote note)
    : folder_(std::move(folder)), note_(std::move(note)) {
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

std::string ProgressStore::logPath(const PuzzleKey& key) const {
    return folder_ + progressBaseName(key) + ".vxp";
}

std::string ProgressStore::solvedPath(const PuzzleKey& key) const {
    return folder_ + progressBaseName(key) + ".solved";
}

std::optional<ProgressContents> ProgressStore::load(const PuzzleKey& key) const {
    const std::string path = logPath(key);
    std::string bytes;
    try {
        if (!readProgressFile(path, bytes)) return std::nullopt;
    } catch (const std::exception& error) {
        note("the progress file \"" + path + "\" was ignored: " + error.what());
        return std::nullopt;
    }
    auto contents =
        parseProgressBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!contents || contents->key != key) {
        note("the progress file \"" + path + "\" is damaged and was ignored");
        return std::nullopt;
    }
    if (!contents->damage.empty()) {
        note("the progress file \"" + path + "\" is damaged after " +
             std::to_string(contents->records) + " whole records (" + contents->damage +
             "); the position they give was kept");
    }
    return contents;
}

ProgressStatus ProgressStore::status(const PuzzleKey& key) const {
    std::error_code ec;
    if (std::filesystem::exists(solvedPath(key), ec)) return ProgressStatus::kSolved;
    if (std::filesystem::exists(logPath(key), ec)) return ProgressStatus::kInProgress;
    return ProgressStatus::kNone;
}

bool ProgressStore::keepsAny() const {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string ext = it->path().extension().string();
        if (ext == ".vxp" || ext == ".solved") return true;
    }
    return false;
}

}  // namespace vexilo
