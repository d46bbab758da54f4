#include "ui/background_solve.h"

#include "ui/worker_box.h"

namespace vexilo {

BackgroundSolve::BackgroundSolve(QWidget* window, std::function<void(const std::string&)> show)
    : window_(window), show_(std::move(show)), windowThread_(std::this_thread::get_id()) {}

void BackgroundSolve::run(const std::function<bool()>& solve, std::atomic<bool>& cancel,
                          const std::string& text) {
    bool completed = false;
    runInWorkerBox(
        window_, {QStringLiteral("SolveProgress"), QString::fromStdString(text)}, kProgressDelay,
        [&] {
            if (workerHook_) workerHook_(cancel);
            completed = solve();
        },
        cancel);
    std::vector<std::string> messages;
    {
        const std::lock_guard<std::mutex> lock(deferredLock_);
        messages.swap(deferred_);
    }
    if (!completed) return;
    for (const std::string& text : messages) show_(text);
}

bool BackgroundSolve::deferMessage(const std::string& text) {
    if (std::this_thread::get_id() == windowThread_) return false;
    const std::lock_guard<std::mutex> lock(deferredLock_);
    deferred_.push_back(text);
    return true;
}

}  // namespace vexilo
