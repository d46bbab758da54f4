// A slow solve in the window shows a progress box after half a second and Esc cancels it,
// leaving everything as before; a quick one shows none. What a solve shows from its
// thread is shown after it. The worker box hands the work's exception back.
#include "ui/background_solve.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>
#include <thread>

#include "model/puzzle_state.h"
#include "ui/worker_box.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

// Runs a command; notes when the progress box first appeared (ms) and presses Esc on it.
qint64 progressShownAt(const std::function<void()>& command) {
    qint64 shownAt = -1;
    QElapsedTimer clock;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || box->objectName() != QStringLiteral("SolveProgress")) return;
        if (shownAt < 0) shownAt = clock.elapsed();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
    });
    watch.start(5);
    clock.start();
    command();
    return shownAt;
}

TEST(BackgroundSolve, SlowSolveShowsProgressAfterTheDelayAndEscCancelsIt) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("blank.ALC"));
    QByteArray text = "[Vexilo data] 200 x 200 -1\r\n[Start]\r\n";
    for (int row = 0; row < 200; ++row) text += QByteArray(200, '-') + "\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text + "[End]\r\n") > 0);
    file.close();
    testing::FormFixture f;
    TForm1& w = f.form();
    w.openFile(path);
    f.click(Qt::LeftButton, 20, 8);  // a move of the user's
    const PuzzleState& s = f.state();
    ASSERT_GT(s.mainBoard->writePos, 1);
    auto board = [&] {
        return QByteArray(reinterpret_cast<const char*>(s.mainBoard.get()), sizeof(Board));
    };
    const QByteArray before = board();
    const Difficulty difficulty = s.difficulty;
    const QString steps = w.Label1->text();
    // The solve waits until it is cancelled: slow however fast the solver becomes.
    w.backgroundSolve().setWorkerHook([](const std::atomic<bool>& cancel) {
        while (!cancel) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    const qint64 shownAt = progressShownAt([&] { f.clickWidget(w.SpeedButton5); });
    w.backgroundSolve().setWorkerHook({});
    EXPECT_GE(shownAt, BackgroundSolve::kProgressDelay.count());
    EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join('|').toStdString();
    EXPECT_TRUE(board() == before);
    EXPECT_EQ(s.difficulty, difficulty);
    EXPECT_EQ(w.Label1->text(), steps);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == text + "[End]\r\n");
}

TEST(BackgroundSolve, QuickSolveShowsNoProgress) {
    testing::FormFixture f;
    f.openTestFile(QStringLiteral("easy-10x10-01.ALC"));
    EXPECT_EQ(progressShownAt([&] { f.clickWidget(f.form().SpeedButton5); }), -1);
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].startsWith(QStringLiteral("難易度は")));
}

TEST(BackgroundSolve, MessagesFromTheSolveAreShownAfterItUnlessCancelled) {
    QWidget window;
    QStringList shown;
    const std::thread::id windowThread = std::this_thread::get_id();
    BackgroundSolve solves(&window, [&](const std::string& m) {
        EXPECT_EQ(std::this_thread::get_id(), windowThread);
        shown << QString::fromStdString(m);
    });
    EXPECT_FALSE(solves.deferMessage("on the window's thread"));
    std::atomic<bool> cancel{false};
    for (bool completes : {true, false}) {
        shown.clear();
        solves.run(
            [&] {
                EXPECT_TRUE(solves.deferMessage("a") && solves.deferMessage("b"));
                return completes;
            },
            cancel);
        EXPECT_EQ(shown, completes ? QStringList({"a", "b"}) : QStringList());
    }
}

TEST(WorkerBox, AnExceptionFromTheWorkIsThrownAgainOnTheWindowsThread) {
    QWidget window;
    std::atomic<bool> cancel{false};
    EXPECT_THROW(
        runInWorkerBox(
            &window, {QStringLiteral("Box"), QStringLiteral("…")}, std::chrono::milliseconds(0),
            [] { throw std::runtime_error("work"); }, cancel),
        std::runtime_error);
}

}  // namespace
}  // namespace vexilo
