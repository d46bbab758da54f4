// A solve command cancelled at any moment leaves the state byte for byte as before it; one
// that finishes despite a late cancel request ends exactly as an uncancelled one.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "model/move_log.h"
#include "model/rebuild.h"
#include "solver/solve_commands.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using std::chrono::microseconds;
constexpr microseconds kNever = microseconds::max();

// Runs the solve on a worker thread and sets the cancel request after `delay` (a negative
// delay: before the solve starts).
class CancellingFrontend : public testing::RecordingFrontend {
  public:
    void runSolve(const std::function<bool()>& solve, std::atomic<bool>& cancel,
                  const std::string&) override {
        if (delay == kNever) return void(solve());
        if (delay.count() < 0) cancel = true;
        std::thread worker([&] { solve(); });
        std::this_thread::sleep_for(std::max(delay, microseconds(0)));
        cancel = true;
        worker.join();
    }
    microseconds delay = kNever;
};

// Everything a solve command may change, as raw bytes; putBack writes them back.
std::array<int*, 9> fields(PuzzleState& s) {
    return {&s.difficulty.stored,      &s.errorX,      &s.errorY,    &s.effortScore,
            &s.drawEnabled,      &s.trialPasses, &s.ruleUsage, &s.effortBeforeTrials,
            &s.startPatternsDone};
}
std::string fingerprint(PuzzleState& s) {
    std::string bytes(reinterpret_cast<const char*>(s.mainBoard.get()), sizeof(Board));
    bytes.append(reinterpret_cast<const char*>(s.workBoard.get()), sizeof(Board));
    for (int i = 0; i < 9; ++i) bytes.append(reinterpret_cast<const char*>(fields(s)[i]), 4);
    return bytes;
}
void putBack(PuzzleState& s, const std::string& bytes) {
    std::memcpy(static_cast<void*>(s.mainBoard.get()), bytes.data(), sizeof(Board));
    std::memcpy(static_cast<void*>(s.workBoard.get()), bytes.data() + sizeof(Board), sizeof(Board));
    for (int i = 0; i < 9; ++i)
        std::memcpy(fields(s)[i], bytes.data() + 2 * sizeof(Board) + 4 * i, 4);
}

TEST(SolveCancel, CancelledCommandLeavesTheStateAsBefore) {
    std::mt19937 random(18);
    for (char clue : {'-', '2'}) {  // blank: trial search for long; 2s: long advanced passes
        CancellingFrontend fe;
        PuzzleState s(fe);
        testing::setClues(s, std::vector<std::string>(24, std::string(24, clue)));
        autoSolveCommand(s);
        appendEntry(*s.mainBoard, moveEntry(2, 1, kLine), fe);  // a move of the user's
        rebuildBoard(s, *s.mainBoard, *s.mainBoard);
        for (SolveLevel level : {kLevel0, kLevel1, kLevel2, kLevelFull}) {
            if (level == kLevelFull) s.difficulty.stored -= 10000;  // a bare rating: solve again
            auto run = [&](microseconds delay) {
                fe.delay = delay;
                fe.messages.clear();
                level == kLevelFull ? autoSolveCommand(s) : levelCommand(s, level);
            };
            const std::string before = fingerprint(s);
            const auto start = std::chrono::steady_clock::now();
            run(kNever);
            const auto took = std::chrono::steady_clock::now() - start;
            ASSERT_EQ(fe.messages.size(), 1u);
            const std::string finished = fingerprint(s);
            const std::string message = fe.messages[0].substr(0, fe.messages[0].find('\n'));
            for (int i = 0; i < 4; ++i) {
                putBack(s, before);
                std::uniform_int_distribution<int64_t> anyTime(
                    0, std::chrono::duration_cast<microseconds>(took).count());
                run(microseconds(i == 0 ? -1 : anyTime(random)));
                const bool cancelled = fe.messages.empty();
                EXPECT_TRUE(fingerprint(s) == (cancelled ? before : finished)) << clue << level;
                if (!cancelled) {
                    EXPECT_EQ(fe.messages[0].substr(0, message.size()), message);
                }
            }
            putBack(s, finished);
        }
    }
}

}  // namespace
}  // namespace vexilo
