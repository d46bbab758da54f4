#include "ui/background_solve.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <future>

namespace vexilo {

namespace {

constexpr int kPollMs = 20;

// The progress box. Esc, the close button and "中止" only ask the solve to stop: the box
// closes when the solve has unwound.
class ProgressBox : public QDialog {
  public:
    ProgressBox(QWidget* parent, std::atomic<bool>& cancel) : QDialog(parent), cancel_(cancel) {
        setObjectName(QStringLiteral("SolveProgress"));
        setWindowTitle(QStringLiteral("Vexilo"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(QStringLiteral("解いています…"), this);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        button_ = new QPushButton(QStringLiteral("中止"), this);
        button_->setAutoDefault(false);  // Enter does not cancel
        connect(button_, &QPushButton::clicked, this, [this] { reject(); });
        layout->addWidget(label_);
        layout->addWidget(bar);
        layout->addWidget(button_, 0, Qt::AlignHCenter);
        setFixedWidth(200);
    }

    void reject() override {
        cancel_ = true;
        label_->setText(QStringLiteral("中止しています…"));
        button_->setEnabled(false);
    }

  private:
    std::atomic<bool>& cancel_;
    QLabel* label_;
    QPushButton* button_;
};

}  // namespace

BackgroundSolve::BackgroundSolve(QWidget* window, std::function<void(const std::string&)> show)
    : window_(window), show_(std::move(show)), windowThread_(std::this_thread::get_id()) {}

void BackgroundSolve::run(const std::function<bool()>& solve, std::atomic<bool>& cancel) {
    std::packaged_task<bool()> task(solve);
    std::future<bool> outcome = task.get_future();
    std::thread worker(std::move(task));
    // Should the wait end by an exception, the solve is stopped before the state is used.
    struct JoinOnExit {
        std::thread& worker;
        std::atomic<bool>& cancel;
        ~JoinOnExit() {
            if (worker.joinable()) {
                cancel = true;
                worker.join();
            }
        }
    } joinOnExit{worker, cancel};
    auto done = [&outcome] {
        return outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    if (outcome.wait_for(kProgressDelay) != std::future_status::ready) {
        showProgressUntilDone(done, cancel);
    }
    worker.join();
    std::vector<std::string> messages;
    {
        const std::lock_guard<std::mutex> lock(deferredLock_);
        messages.swap(deferred_);
    }
    if (!outcome.get()) return;
    for (const std::string& text : messages) show_(text);
}

bool BackgroundSolve::deferMessage(const std::string& text) {
    if (std::this_thread::get_id() == windowThread_) return false;
    const std::lock_guard<std::mutex> lock(deferredLock_);
    deferred_.push_back(text);
    return true;
}

void BackgroundSolve::showProgressUntilDone(const std::function<bool()>& done,
                                            std::atomic<bool>& cancel) {
    ProgressBox box(window_, cancel);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &box, [&] {
        if (done()) box.done(QDialog::Accepted);
    });
    poll.start(kPollMs);
    // The wait cursor would hide that the box takes clicks.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) QApplication::changeOverrideCursor(Qt::BusyCursor);
    box.exec();
    if (waiting) QApplication::changeOverrideCursor(Qt::WaitCursor);
}

}  // namespace vexilo
