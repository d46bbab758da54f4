#include "progress/progress_writer.h"

#include <exception>

#include "files/file_access.h"
#include "model/move_entry.h"
#include "progress/durable_file.h"

namespace vexilo {

namespace {

// Appended records may grow to this much beyond twice the whole log before the file is
// rewritten: a click then appends 12 bytes instead of rewriting megabytes.
constexpr size_t kJournalSlack = 1 << 20;

// A file grows by appends to at most twice its last rewrite plus the slack, and a rewrite
// holds one record of at most the whole log: the store reads every file the writer makes.
constexpr size_t kRecordHeaderBytes = 12;  // length, checksum, kept slots
static_assert(2 * (kProgressHeaderBytes + kRecordHeaderBytes + sizeof(int32_t) * kLogSlots) +
                  kJournalSlack <=
              kMaxProgressFileBytes);

}  // namespace

ProgressWriter::ProgressWriter(const ProgressStore& store)
    : store_(store), thread_([this] { run(); }) {}

ProgressWriter::~ProgressWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void ProgressWriter::attach(const PuzzleKey& key, KeptLog log) {
    Job job(Job::kAttach);
    job.key = key;
    job.entries = std::move(log);
    submit(std::move(job));
}

void ProgressWriter::change(uint32_t keptSlots, std::vector<int32_t> entries) {
    Job job(Job::kChange);
    job.keptSlots = keptSlots;
    job.entries = std::move(entries);
    submit(std::move(job));
}

void ProgressWriter::markSolved() {
    submit(Job(Job::kSolved));
}

void ProgressWriter::detach() {
    submit(Job(Job::kDetach));
}

void ProgressWriter::flush() {
    std::unique_lock lock(mutex_);
    const uint64_t target = submitted_;
    done_.wait(lock, [&] { return finished_ >= target; });
}

void ProgressWriter::submit(Job job) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
        ++submitted_;
    }
    wake_.notify_one();
}

void ProgressWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and everything is written
        std::deque<Job> batch;
        batch.swap(queue_);
        lock.unlock();
        // Every change of a burst goes into one write and one flush.
        for (Job& job : batch) process(job);
        writePending();
        lock.lock();
        finished_ += batch.size();
        done_.notify_all();
    }
}

void ProgressWriter::process(Job& job) {
    if (job.kind == Job::kChange) {
        if (!key_ || job.keptSlots < 1 || job.keptSlots > log_.size()) return;
        log_.resize(job.keptSlots);
        log_.insert(log_.end(), job.entries.begin(), job.entries.end());
        pendingRecords_ +=
            encodeProgressRecord(job.keptSlots, job.entries.data(), job.entries.size());
        return;
    }
    // Leaving a puzzle leaves its file in one piece, without the records appended to it.
    writePending(job.kind == Job::kDetach);
    try {
        switch (job.kind) {
            case Job::kAttach:
                key_ = job.key;
                log_ = std::move(job.entries);
                rewriteNext_ = true;
                failureNoted_ = false;
                break;
            case Job::kSolved:
                if (key_) writeFileCarefully(store_.solvedPath(*key_), "solved\n");
                break;
            case Job::kDetach:
                key_.reset();
                log_ = KeptLog();
                break;
            case Job::kChange:
                break;
        }
    } catch (const std::exception& error) {
        failed(error);
    }
}

void ProgressWriter::writePending(bool compact) {
    const bool journalled = !rewriteNext_ && fileBytes_ > snapshotBytes_;
    if (!key_ || (pendingRecords_.empty() && !(compact && journalled))) {
        pendingRecords_.clear();
        return;
    }
    const std::string path = store_.logPath(*key_);
    try {
        if (log_.size() <= 1) {
            removeDurably(path);
            rewriteNext_ = true;
        } else if (rewriteNext_ || compact ||
                   fileBytes_ + pendingRecords_.size() > 2 * snapshotBytes_ + kJournalSlack) {
            makeFolders(store_.folder());
            const std::string whole = encodeProgressFile(*key_, log_);
            writeFileCarefully(path, whole);
            fileBytes_ = snapshotBytes_ = whole.size();
            rewriteNext_ = false;
        } else {
            appendDurably(path, pendingRecords_);
            fileBytes_ += pendingRecords_.size();
        }
    } catch (const std::exception& error) {
        rewriteNext_ = true;
        failed(error);
    }
    pendingRecords_.clear();
}

void ProgressWriter::failed(const std::exception& error) {
    if (failureNoted_) return;
    failureNoted_ = true;
    store_.note(std::string("the progress could not be kept: ") + error.what());
}

}  // namespace vexilo
