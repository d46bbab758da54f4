// Work that may take long, run on a worker thread while the window's thread waits for it.
// The window's thread first waits without taking any event, as a command inside a handler
// always did; work still running after a delay gets a small modal box (a text, a bar,
// "中止"), the window repaints, and nothing else reaches it. Esc, the close button or
// "中止" set the cancel flag that the work polls; the box stays until the work has ended.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>

class QWidget;

namespace vexilo {

struct WorkerBoxLook {
    QString objectName;  // the box's, for tests
    QString text;        // what the work does ("解いています…")
    int steps = 0;       // 0: a busy bar; otherwise a bar from 0 to steps
};

// Runs `work` on a worker thread and returns when it has ended; an exception from the
// work is thrown again here. `progress`, when given, reads how far the work has come
// (0 to look.steps) for the bar.
void runInWorkerBox(QWidget* window, const WorkerBoxLook& look, std::chrono::milliseconds delay,
                    const std::function<void()>& work, std::atomic<bool>& cancel,
                    const std::function<int()>& progress = {});

}  // namespace vexilo
