// The thread that writes kept progress, so that a move never waits for the disk. It keeps
// its own copy of the attached puzzle's log: changes are appended to the puzzle's file as
// records, and the file is rewritten whole (atomically) when a puzzle is attached anew or
// the appended records outgrow the log they describe. An empty log removes the file.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "progress/progress_store.h"

namespace vexilo {

class ProgressWriter {
  public:
    explicit ProgressWriter(const ProgressStore& store);
    // Writes everything queued, then stops.
    ~ProgressWriter();
    ProgressWriter(const ProgressWriter&) = delete;
    ProgressWriter& operator=(const ProgressWriter&) = delete;

    // From now on changes belong to this puzzle, whose log starts as given.
    void attach(const PuzzleKey& key, KeptLog log);
    // The log now keeps its first keptSlots slots, followed by entries.
    void change(uint32_t keptSlots, std::vector<int32_t> entries);
    // The attached puzzle's answer was called correct.
    void markSolved();
    // Changes after this belong to no puzzle.
    void detach();

    // Blocks until everything queued so far is written.
    void flush();

  private:
    struct Job {
        enum Kind { kAttach, kChange, kSolved, kDetach };
        explicit Job(Kind k) : kind(k) {}
        Kind kind;
        PuzzleKey key;
        uint32_t keptSlots = 0;
        std::vector<int32_t> entries;
    };

    void submit(Job job);
    void run();
    void process(Job& job);
    // Appends the pending records, or rewrites the whole file when it is new, has grown too
    // long, or compact asks for it.
    void writePending(bool compact = false);
    void failed(const std::exception& error);

    const ProgressStore& store_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Job> queue_;
    uint64_t submitted_ = 0;
    uint64_t finished_ = 0;
    bool stopping_ = false;

    // The writing thread's own state.
    std::optional<PuzzleKey> key_;
    KeptLog log_;
    std::string pendingRecords_;
    size_t fileBytes_ = 0;      // what the file holds, once pendingRecords_ are appended
    size_t snapshotBytes_ = 0;  // the size of the last whole rewrite
    bool rewriteNext_ = true;
    bool failureNoted_ = false;

    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace vexilo
