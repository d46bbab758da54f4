#include "ui/new_puzzle_command.h"

#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <cstdio>
#include <exception>
#include <future>
#include <random>
#include <thread>

#include "files/native_file.h"
#include "files/open_save.h"
#include "generate/puzzle_rating.h"
#include "model/puzzle_state.h"
#include "ui/main_window.h"
#include "ui/new_puzzle_dialog.h"

namespace vexilo {

namespace {

constexpr auto kBoxDelay = std::chrono::milliseconds(300);
constexpr int kPollMs = 30;
constexpr int kSteps = 1000;

// Esc, the close button and "中止" ask the work to stop; the box closes once it has.
class GenerateProgressBox : public QDialog {
  public:
    GenerateProgressBox(QWidget* parent, std::atomic<bool>& cancel)
        : QDialog(parent), cancel_(cancel) {
        setObjectName(QStringLiteral("GenerateProgress"));
        setWindowTitle(QStringLiteral("Vexilo"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(QStringLiteral("問題を作っています…"), this);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, kSteps);
        bar_->setTextVisible(false);
        button_ = new QPushButton(QStringLiteral("中止"), this);
        button_->setAutoDefault(false);
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

std::string format(const char* pattern, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

NewPuzzleCommand::NewPuzzleCommand(TForm1& form) : QObject(&form), form_(form) {
    form.addOpenMenuItem("NewPuzzleItem", QStringLiteral("新しい問題..."), QKeySequence::New,
                         [this] { run(); });
}

void NewPuzzleCommand::run() {
    form_.mouseArmed = 0;
    NewPuzzleDialog dialog(&form_, last_);
    if (dialog.exec() != QDialog::Accepted) return;
    last_ = dialog.request();
    generate::GenerateRequest request = last_;
    request.seed = std::random_device{}() % 1000000000u;
    generateAndOpen(request);
}

bool NewPuzzleCommand::generateAndOpen(const generate::GenerateRequest& request) {
    std::atomic<bool> cancel{false};
    std::atomic<int> steps{0};
    generate::GeneratedPuzzle made;
    std::packaged_task<generate::GenerateOutcome()> task([&] {
        generate::PuzzleGenerator generator;
        return generator.generate(request, made, [&](double share) {
            steps = static_cast<int>(share * kSteps);
            return !cancel;
        });
    });
    std::future<generate::GenerateOutcome> outcome = task.get_future();
    std::thread worker(std::move(task));
    if (outcome.wait_for(kBoxDelay) != std::future_status::ready) {
        GenerateProgressBox box(&form_, cancel);
        QTimer poll;
        connect(&poll, &QTimer::timeout, &box, [&] {
            box.setProgress(steps);
            if (outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
                box.done(QDialog::Accepted);
            }
        });
        poll.start(kPollMs);
        box.exec();
    }
    worker.join();
    const generate::GenerateOutcome result = outcome.get();  // rethrows the work's exception
    if (result == generate::GenerateOutcome::kCancelled) return false;
    if (result == generate::GenerateOutcome::kNoPuzzle) {
        form_.showMessage("この大きさの問題は作れませんでした。");
        return false;
    }
    PuzzleState& state = form_.state();
    writeBackPendingRating(state);
    state.fileLines = generate::nativeLinesOf(made.puzzle, made.rating);
    readNativeText(state, "new-" + std::to_string(request.width) + "x" +
                              std::to_string(request.height) + "-" + std::to_string(request.seed));
    if (!made.ratingAsked) {
        form_.showMessage(format("難易度%dの問題は作れませんでした。\n難易度%dの問題です。",
                                 request.rating, made.rating));
    }
    return true;
}

}  // namespace vexilo
