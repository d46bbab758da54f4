#include "ui/new_puzzle_command.h"

#include <QDialog>
#include <QKeySequence>
#include <atomic>
#include <cstdio>
#include <random>

#include "files/native_file.h"
#include "files/open_save.h"
#include "generate/puzzle_rating.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"
#include "ui/main_window.h"
#include "ui/new_puzzle_dialog.h"
#include "ui/worker_box.h"

namespace vexilo {

namespace {

constexpr auto kBoxDelay = std::chrono::milliseconds(300);
constexpr int kSteps = 1000;

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
