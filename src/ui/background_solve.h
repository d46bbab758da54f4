// Runs the solve commands' solves on a worker thread, so that a long solve does not freeze
// the window: a solve still running after half a second gets the worker box (worker_box.h)
// with what it does ("解いています…") and a busy bar. What the solve shows from its thread is kept
// and shown once it has ended.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class QWidget;

namespace vexilo {

class BackgroundSolve {
  public:
    // `show` shows a message on the window's thread.
    BackgroundSolve(QWidget* window, std::function<void(const std::string&)> show);

    static constexpr std::chrono::milliseconds kProgressDelay{500};

    // Frontend::runSolve: runs `solve` on a worker thread and returns when it has ended; an
    // exception from the solve is thrown again here. The messages the solve showed are
    // shown now, unless it was cancelled.
    void run(const std::function<bool()>& solve, std::atomic<bool>& cancel,
             const std::string& text = "解いています…");

    // A message shown from the worker thread is kept for later: returns true when the
    // caller is not on the window's thread.
    bool deferMessage(const std::string& text);

    // Tests hold the work: `hook` runs on the worker thread before each solve, given the
    // solve's cancel flag.
    void setWorkerHook(std::function<void(const std::atomic<bool>&)> hook) {
        workerHook_ = std::move(hook);
    }

  private:
    QWidget* window_;
    std::function<void(const std::string&)> show_;
    std::thread::id windowThread_;
    std::mutex deferredLock_;
    std::vector<std::string> deferred_;
    std::function<void(const std::atomic<bool>&)> workerHook_;
};

}  // namespace vexilo
