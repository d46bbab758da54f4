#include "cli/puzzle_solve.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>

#include "model/puzzle_state.h"
#include "solver/answer_check.h"

namespace vexilo::cli {

const char* levelName(SolveLevel level) {
    switch (level) {
        case kLevel0:
            return "0";
        case kLevel1:
            return "1";
        case kLevel2:
            return "2";
        case kLevelFull:
            break;
    }
    return "full";
}

bool parseLevel(const std::string& text, SolveLevel& level) {
    for (SolveLevel l : {kLevel0, kLevel1, kLevel2, kLevelFull}) {
        if (text == levelName(l)) {
            level = l;
            return true;
        }
    }
    return false;
}

namespace {
std::atomic<bool> cpuClock{false};
}  // namespace

void useCpuClock() {
    cpuClock = true;
}

namespace {

int64_t readClockNs(bool cpu) {
    if (cpu) {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The least of a few intervals between two readings with nothing between them.
int64_t emptyIntervalNs(bool cpu) {
    int64_t least = std::numeric_limits<int64_t>::max();
    for (int i = 0; i < 64; ++i) {
        const int64_t t0 = readClockNs(cpu);
        least = std::min(least, readClockNs(cpu) - t0);
    }
    return std::max<int64_t>(least, 0);
}

}  // namespace

int64_t preciseTickNs() {
    return readClockNs(cpuClock);
}

double msSince(int64_t t0) {
    const int64_t t1 = preciseTickNs();
    // The processor clock is a system call: half a microsecond, a tenth of a small solve.
    static const int64_t wallCost = emptyIntervalNs(false);
    static const int64_t cpuCost = emptyIntervalNs(true);
    const int64_t cost = cpuClock ? cpuCost : wallCost;
    return static_cast<double>(std::max<int64_t>(t1 - t0 - cost, 0)) / 1e6;
}

SolveReport solveLoadedPuzzle(PuzzleState& state, SolveLevel level) {
    SolveReport report;
    report.width = state.W();
    report.height = state.H();
    const int64_t t0 = preciseTickNs();
    if (level == kLevelFull) {
        // Nothing cancels a solve here: the command-line frontend runs it to its end.
        const SolveOutcome outcome = solveAndRate(state).value_or(SolveOutcome::kContradiction);
        report.ms = msSince(t0);
        if (outcome == SolveOutcome::kContradiction) {
            report.result = "contradiction";
            return report;
        }
        report.result = outcome == SolveOutcome::kSolved ? "solved" : "stuck";
        report.rating = state.difficulty.fileValue();
        return report;
    }
    const bool consistent = solveAtLevel(state, level) == LevelResult::kAtRest;
    report.ms = msSince(t0);
    if (!consistent) {
        report.result = "contradiction";
        return report;
    }
    // The levels do not judge the answer: the check tells solved from stuck.
    switch (checkAnswer(state, *state.workBoard)) {
        case AnswerResult::kCorrect:
            report.result = "solved";
            break;
        case AnswerResult::kOpen:
            report.result = "stuck";
            break;
        case AnswerResult::kWrong:
            report.result = "contradiction";
            break;
    }
    return report;
}

}  // namespace vexilo::cli
