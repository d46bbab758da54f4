// The folder of kept progress: per puzzle key, "<key>.vxp" holds the move log and
// "<key>.solved" says that the check once called the player's answer correct.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "progress/progress_format.h"
#include "progress/puzzle_key.h"

namespace vexilo {

enum class ProgressStatus { kNone, kInProgress, kSolved };

// Where notes about damaged files go; the default writes them to the console.
using ProgressNote = std::function<void(const std::string&)>;
void noteOnConsole(const std::string& text);

class ProgressStore {
  public:
    explicit ProgressStore(std::string folder, ProgressNote note = noteOnConsole);

    const std::string& folder() const { return folder_; }
    std::string logPath(const PuzzleKey& key) const;
    std::string solvedPath(const PuzzleKey& key) const;

    // The kept log of a puzzle, or nothing. A damaged file is noted: unreadable, it is
    // ignored; torn or damaged after some whole records, the log those records left stands.
    std::optional<ProgressContents> load(const PuzzleKey& key) const;

    // Solved when the puzzle was ever called correct, else in progress when a log is kept.
    ProgressStatus status(const PuzzleKey& key) const;
    // Whether the folder holds any puzzle's progress.
    bool keepsAny() const;

    void note(const std::string& text) const { note_(text); }

  private:
    std::string folder_;
    ProgressNote note_;
};

}  // namespace vexilo
