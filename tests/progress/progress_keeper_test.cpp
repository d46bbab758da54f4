// Keeping progress through the keeper: the key as the native reader sees a puzzle, the same
// puzzle under two names, back to the start, a program killed in a burst of moves, and
// progress files the store refuses to read.
#include "progress/progress_keeper.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "files/native_file.h"
#include "loading/puzzle_loading.h"
#include "model/log_commands.h"
#include "model/move_log.h"
#include "progress/durable_file.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

class ScratchFolder {
  public:
    ScratchFolder() {
        char pattern[] = "/tmp/vexilo-progress-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

void loadNative(PuzzleState& state, std::vector<std::string> lines, const std::string& path) {
    state.fileLines = std::move(lines);
    ASSERT_TRUE(readNativeText(state, path));
}

KeptLog logOf(const PuzzleState& state) {
    const Board& b = *state.mainBoard;
    return KeptLog(b.moveLog.begin(), b.moveLog.begin() + b.writePos);
}

TEST(PuzzleKey, NativeLinesGiveTheKeyOfTheLoadedPuzzle) {
    std::mt19937 random(5);
    const std::string alphabet = "-0123+ABCD#abcdx";
    TestState state;
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + random() % 9;
        const int rows = 1 + random() % 7;
        std::vector<std::string> lines = {formatNativeHeader(width, rows, random() % 8 - 1),
                                          kStartMarker};
        for (int r = 0; r < rows; ++r) {
            std::string row(random() % (width + 3), '-');
            for (char& c : row) c = alphabet[random() % alphabet.size()];
            lines.push_back(row);
        }
        lines.emplace_back(kEndMarker);
        const auto fromLines = puzzleKeyOfNativeLines(lines);
        loadNative(*state, lines, "x.ALC");
        ASSERT_TRUE(fromLines);
        EXPECT_EQ(*fromLines, puzzleKeyOf(*state));
    }
}

const std::vector<std::string> kPuzzle = {
    "[Vexilo data]   4 x   3 -1", "[Start]", "3-2-", "-0-B", "1#2a", "[End]"};

TEST(ProgressKeeper, TheSamePuzzleUnderTwoNamesSharesItsProgress) {
    ScratchFolder folder;
    KeptLog played;
    PuzzleKey key;
    {
        TestState state;
        ProgressKeeper keeper(folder.path());
        loadNative(*state, kPuzzle, "/a/first.ALC");
        EXPECT_FALSE(keeper.afterCommand(*state, 1));
        Board& board = *state->mainBoard;
        appendEntry(board, moveEntry(2, 1, 3), state.frontend);
        keeper.afterCommand(*state, 1);
        memorise(*state);
        keeper.afterCommand(*state, 1);
        appendEntry(board, moveEntry(1, 2, 2), state.frontend);
        appendEntry(board, moveEntry(3, 2, 3), state.frontend);
        undoOneMove(*state);
        keeper.afterCommand(*state, 1);
        played = logOf(*state);
        key = puzzleKeyOf(*state);
    }
    // Left, the file holds the log in one piece.
    const auto left = ProgressStore(folder.path()).load(key);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->records, 1u);
    TestState state;
    ProgressKeeper keeper(folder.path());
    std::vector<std::string> rated = kPuzzle;
    rated[0] = "[Vexilo data]   4 x   3 5";
    loadNative(*state, rated, "/b/second.ALC");
    ASSERT_TRUE(keeper.afterCommand(*state, 1));
    EXPECT_EQ(logOf(*state), played);
    EXPECT_EQ(state->mainBoard->stepCount, 1);
    EXPECT_EQ(state.frontend.stepLabel, 1);
    EXPECT_EQ(keeper.store().status(puzzleKeyOf(*state)), ProgressStatus::kInProgress);

    backToStart(*state);
    keeper.afterCommand(*state, 1);
    keeper.markSolved();
    keeper.flush();
    EXPECT_FALSE(std::filesystem::exists(keeper.store().logPath(puzzleKeyOf(*state))));
    EXPECT_EQ(keeper.store().status(puzzleKeyOf(*state)), ProgressStatus::kSolved);
}

// A burst of play on one board: moves, undos, memorised steps, restores, solve-sized steps
// and the odd back to the start. after() sees each position the player sees.
template <typename After>
void playBurst(PuzzleState& state, uint32_t seed, int commands, After after) {
    std::mt19937 random(seed);
    Board& board = *state.mainBoard;
    for (int i = 0; i < commands; ++i) {
        const int kind = random() % 100;
        if (kind < 70) {
            int x = 1 + random() % (2 * state.W() + 1);
            const int y = 1 + random() % (2 * state.H() + 1);
            if ((x + y) % 2 == 0) x = x == 1 ? 2 : x - 1;
            appendEntry(board, moveEntry(x, y, 2 + random() % 2), state.frontend);
        } else if (kind < 80) {
            removeLastMove(board);
        } else if (kind < 88) {
            memorise(state);
        } else if (kind < 95) {
            dropLastStep(board);
        } else if (kind < 99) {
            openStep(board, state.frontend);
            for (int k = 0; k < 30000; ++k) {
                appendEntry(board, moveEntry(2 + 2 * (k % 30), 1 + 2 * (k % 31), 3),
                            state.frontend);
            }
        } else {
            backToStart(state);
        }
        after();
    }
}

uint64_t hashOf(const KeptLog& log) {
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(log.data()), log.size() * 4));
}

TEST(ProgressStore, AProgressFileThatIsNoFileOrTooLargeIsNotedAndLeftAlone) {
    ScratchFolder folder;
    std::vector<std::string> notes;
    const ProgressStore store(folder.path(), [&](const std::string& n) { notes.push_back(n); });
    const PuzzleKey missing{4, 3, 1}, pipe{4, 3, 2}, large{4, 3, 3}, directory{4, 3, 4};
    EXPECT_FALSE(store.load(missing));
    EXPECT_TRUE(notes.empty());  // no progress kept yet: nothing to say

    ASSERT_EQ(::mkfifo(store.logPath(pipe).c_str(), 0600), 0);  // would block a plain reader
    std::filesystem::create_directory(store.logPath(directory));
    std::ofstream(store.logPath(large)).close();
    std::filesystem::resize_file(store.logPath(large), kMaxProgressFileBytes + 1);
    for (const PuzzleKey& key : {pipe, directory, large}) {
        notes.clear();
        EXPECT_FALSE(store.load(key));
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_NE(notes[0].find(store.logPath(key)), std::string::npos) << notes[0];
    }
    EXPECT_NE(notes[0].find("more than a progress file can"), std::string::npos) << notes[0];
    EXPECT_EQ(std::filesystem::file_size(store.logPath(large)), kMaxProgressFileBytes + 1);
}

TEST(ProgressKeeper, AKilledProgramLeavesAPositionThePlayerSaw) {
    ScratchFolder folder;
    const std::vector<std::string> rows(30, std::string(30, '-'));
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        constexpr int kCommands = 1000;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TestState state;
            testing::setClues(*state, rows);
            ProgressKeeper keeper(folder.path(), [](const std::string&) {});
            keeper.afterCommand(*state, seed);
            (void)!::write(ready[1], "r", 1);
            playBurst(*state, seed, kCommands, [&] { keeper.afterCommand(*state, seed); });
            keeper.flush();
            ::pause();
            ::_exit(0);
        }
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        // The burst takes about 200 ms here; the kill falls anywhere in it.
        std::this_thread::sleep_for(std::chrono::milliseconds(seed * 53 % 190));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        TestState state;
        testing::setClues(*state, rows);
        std::vector<uint64_t> seen = {hashOf(logOf(*state))};
        playBurst(*state, seed, kCommands, [&] { seen.push_back(hashOf(logOf(*state))); });
        std::vector<std::string> notes;
        ProgressStore store(folder.path(), [&](const std::string& n) { notes.push_back(n); });
        const auto kept = store.load(puzzleKeyOf(*state));
        const KeptLog found = kept ? kept->log : KeptLog{kFirstMarker};
        EXPECT_NE(std::find(seen.begin(), seen.end(), hashOf(found)), seen.end())
            << "seed " << seed << ", " << found.size() << " slots";
        EXPECT_TRUE(isPlayableLog(puzzleKeyOf(*state), found));
        std::filesystem::remove(store.logPath(puzzleKeyOf(*state)));
    }
}

}  // namespace
}  // namespace vexilo
