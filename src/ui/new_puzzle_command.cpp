#include "ui/new_puzzle_command.h"

#include <QDialog>
#include <QKeySequence>
#include <atomic>
#include <random>

#include "commands/open_commands.h"
#include "ui/main_window.h"
#include "ui/new_puzzle_dialog.h"
#include "ui/worker_box.h"

namespace vexilo {

namespace {

constexpr auto kBoxDelay = std::chrono::milliseconds(300);
constexpr int kSteps = 1000;

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
    generate::GenerateOutcome result = generate::GenerateOutcome::kCancelled;
    runInWorkerBox(
        &form_, {QStringLiteral("GenerateProgress"), QStringLiteral("問題を作っています…"), kSteps},
        kBoxDelay,
        [&] {
            generate::PuzzleGenerator generator;
            result = generator.generate(request, made, [&](double share) {
                steps = static_cast<int>(share * kSteps);
                return !cancel;
            });
        },
        cancel, [&] { return steps.load(); });
    return openNewPuzzle(form_.state(), request, result, made);
}

}  // namespace vexilo
