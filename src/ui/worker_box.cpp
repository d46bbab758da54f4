#include "ui/worker_box.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <future>
#include <thread>

namespace vexilo {

namespace {

constexpr int kPollMs = 20;

// Esc, the close button and "中止" only ask the work to stop: the box closes when the work
// has unwound.
class WorkerBox : public QDialog {
  public:
    WorkerBox(QWidget* parent, const WorkerBoxLook& look, std::atomic<bool>& cancel)
        : QDialog(parent), cancel_(cancel) {
        setObjectName(look.objectName);
        setWindowTitle(QStringLiteral("Vexilo"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(look.text, this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, look.steps);
        bar_->setTextVisible(false);
        button_ = new QPushButton(QStringLiteral("中止"), this);
        button_->setAutoDefault(false);  // Enter does not cancel
        connect(button_, &QPushButton::clicked, this, [this] { reject(); });
        layout->addWidget(label_);
        layout->addWidget(bar_);
        layout->addWidget(button_, 0, Qt::AlignHCenter);
        setFixedWidth(200);
    }

    void setProgress(int steps) { bar_->setValue(steps); }

    void reject() override {
        cancel_ = true;
        label_->setText(QStringLiteral("中止しています…"));
        button_->setEnabled(false);
    }

  private:
    std::atomic<bool>& cancel_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* button_;
};

}  // namespace

void runInWorkerBox(QWidget* window, const WorkerBoxLook& look, std::chrono::milliseconds delay,
                    const std::function<void()>& work, std::atomic<bool>& cancel,
                    const std::function<int()>& progress) {
    std::packaged_task<void()> task(work);
    std::future<void> outcome = task.get_future();
    std::thread worker(std::move(task));
    // Should the wait end by an exception, the work is stopped before anything it uses goes.
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
    if (outcome.wait_for(delay) != std::future_status::ready) {
        WorkerBox box(window, look, cancel);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &box, [&] {
            if (progress) box.setProgress(progress());
            if (outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
                box.done(QDialog::Accepted);
            }
        });
        poll.start(kPollMs);
        // The wait cursor would hide that the box takes clicks.
        const bool waiting = QApplication::overrideCursor() != nullptr;
        if (waiting) QApplication::changeOverrideCursor(Qt::BusyCursor);
        box.exec();
        if (waiting) QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
    worker.join();
    outcome.get();  // throws the work's exception again
}

}  // namespace vexilo
