#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "files/puzzle_formats.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

namespace fs = std::filesystem;

bool collectPuzzlePaths(const Args& paths, std::vector<std::string>& files, std::string& error) {
    for (const std::string& path : paths) {
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            std::vector<std::string> inFolder;
            for (const auto& entry : fs::directory_iterator(path, ec)) {
                const std::string name = entry.path().filename().string();
                if (entry.is_regular_file(ec) && isPuzzleFileName(name)) {
                    inFolder.push_back(entry.path().string());
                }
            }
            if (ec) {
                error = "cannot list " + path + ": " + ec.message();
                return false;
            }
            std::sort(inFolder.begin(), inFolder.end());
            files.insert(files.end(), inFolder.begin(), inFolder.end());
        } else if (fs::exists(path, ec)) {
            files.push_back(path);
        } else {
            error = "no such file or folder: " + path;
            return false;
        }
    }
    return true;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string formatMs(double ms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", ms);
    return buf;
}

namespace {

using Clock = std::chrono::steady_clock;

// The progress bar: one line on stderr, redrawn at most ten times a second.
class ProgressBar {
  public:
    ProgressBar(size_t total, bool enabled) : total_(total), enabled_(enabled) {}

    void update(size_t done, const BatchTotals& totals, bool force = false) {
        if (!enabled_) return;
        const auto now = Clock::now();
        if (!force && now - lastDraw_ < std::chrono::milliseconds(100)) return;
        lastDraw_ = now;
        constexpr size_t kWidth = 30;
        const size_t filled = total_ == 0 ? kWidth : done * kWidth / total_;
        std::string line = "\r[" + std::string(filled, '#') + std::string(kWidth - filled, '.') +
                           "] " + std::to_string(done) + "/" + std::to_string(total_);
        for (const auto& [category, count] : totals.counts) {
            line += "  " + category + " " + std::to_string(count);
        }
        std::cerr << line << "\x1b[K" << std::flush;
    }

    void clear() {
        if (enabled_) std::cerr << "\r\x1b[K" << std::flush;
    }

  private:
    size_t total_;
    bool enabled_;
    Clock::time_point lastDraw_{};
};

}  // namespace

BatchTotals runBatch(const std::vector<std::string>& files, int threads, const PuzzleWork& work) {
    const auto start = Clock::now();
    const size_t n = files.size();
    std::vector<Outcome> outcomes(n);
    std::vector<char> ready(n, 0);
    std::mutex mutex;
    std::condition_variable doneSignal;
    std::atomic<size_t> next{0};

    const int workers = std::max(1, std::min<int>(threads, static_cast<int>(n)));
    auto worker = [&]() {
        BatchFrontend frontend;
        auto state = std::make_unique<PuzzleState>(frontend);
        for (size_t i = next++; i < n; i = next++) {
            frontend.messages.clear();
            frontend.beginCommand();
            Outcome outcome;
            try {
                outcome = work(files[i], *state, frontend);
            } catch (const std::exception& e) {
                outcome = Outcome();
                const std::string what = e.what();
                // Messages of the file readers and writers name the file already.
                outcome.text =
                    what.find(files[i]) != std::string::npos ? what : files[i] + ": " + what;
                outcome.failed = true;
            }
            {
                std::lock_guard<std::mutex> lock(mutex);
                outcomes[i] = std::move(outcome);
                ready[i] = 1;
            }
            doneSignal.notify_one();
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < workers; ++t) pool.emplace_back(worker);

    BatchTotals totals;
    ProgressBar bar(n, n > 1 && isatty(STDERR_FILENO) != 0);
    size_t printed = 0;
    while (printed < n) {
        std::unique_lock<std::mutex> lock(mutex);
        doneSignal.wait_for(lock, std::chrono::milliseconds(100),
                            [&] { return ready[printed] != 0; });
        std::string text;
        std::string errors;
        while (printed < n && ready[printed] != 0) {
            Outcome& o = outcomes[printed];
            for (const auto& note : o.notes) errors += "vexilo-cli: " + note + "\n";
            if (o.failed) {
                errors += "vexilo-cli: " + o.text + "\n";
                ++totals.failures;
                ++totals.counts["errors"];
            } else {
                text += o.text;
                for (const auto& c : o.categories) ++totals.counts[c];
            }
            totals.solveMs += o.ms;
            o = Outcome();
            ++printed;
        }
        lock.unlock();
        if (!text.empty() || !errors.empty()) {
            bar.clear();
            std::cerr << errors << std::flush;
            std::cout << text << std::flush;
        }
        bar.update(printed, totals);
    }
    for (auto& t : pool) t.join();
    bar.clear();
    totals.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return totals;
}

std::string summaryLine(size_t puzzles, const BatchTotals& totals) {
    std::string line = std::to_string(puzzles) + (puzzles == 1 ? " puzzle:" : " puzzles:");
    const char* separator = " ";
    for (const auto& [category, count] : totals.counts) {
        line += separator + category + " " + std::to_string(count);
        separator = ", ";
    }
    return line + "; solve time " + formatMs(totals.solveMs) + " ms in all, wall " +
           formatMs(totals.wallMs) + " ms";
}

std::vector<std::string> notesOf(const std::string& path, const BatchFrontend& frontend) {
    std::vector<std::string> notes;
    for (const auto& m : frontend.messages) notes.push_back(path + ": " + m);
    return notes;
}

}  // namespace vexilo::cli
