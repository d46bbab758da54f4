#include "generate/puzzle_generator.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "generate/loop_drawing.h"
#include "solver/rating.h"

namespace vexilo::generate {

namespace {

constexpr int64_t kNodeLimitBase = 100;
constexpr int64_t kNodeLimitPerCell = 1;
constexpr int64_t kNodeLimitMax = 1000000;
constexpr double kReductionShare = 0.85;  // of the progress, the rest is the rating
// Exchanges tried on a loop's puzzle that is too easy, by board size.
int exchangesToTry(int width, int height) {
    const int cells = width * height;
    return cells <= 150 ? 480 : cells <= 400 ? 120 : cells <= 900 ? 40 : 0;
}

// Loops to try for a rating before the nearest one found is taken.
int loopsToTry(int width, int height) {
    const int cells = width * height;
    return cells <= 900 ? 24 : cells <= 2500 ? 8 : 3;
}

int loopSides(const complete::LoopSolution& s, int cell, int width) {
    const int x = 2 * (cell % width) + 2;
    const int y = 2 * (cell / width) + 2;
    return s.isLine(x, y - 1) + s.isLine(x, y + 1) + s.isLine(x - 1, y) + s.isLine(x + 1, y);
}

// 7 for a puzzle the full solve does not finish: harder than any rating.
int score(const PuzzleRating& r) {
    return r.solved ? r.rating : 7;
}

}  // namespace

void checkRequest(const GenerateRequest& request) {
    auto checkSide = [](int value, const char* name) {
        if (value < 1 || value > kMaxGenerateSize) {
            throw std::invalid_argument(std::string("the ") + name + " " + std::to_string(value) +
                                        " is outside 1.." + std::to_string(kMaxGenerateSize));
        }
    };
    checkSide(request.width, "width");
    checkSide(request.height, "height");
    if (request.rating != kAnyRating && (request.rating < 0 || request.rating > 6)) {
        throw std::invalid_argument("the rating " + std::to_string(request.rating) +
                                    " is outside 0..6");
    }
}

bool PuzzleGenerator::reportProgress(double share) {
    if (progress_ != nullptr && *progress_ &&
        !(*progress_)(progressBase_ + progressSpan_ * share)) {
        cancelled_ = true;
    }
    return !cancelled_;
}

bool PuzzleGenerator::isUnique() {
    solver_.solve(current_, result_);
    return result_.solutions == 1 && !result_.stopped;
}

// Removes the batch's clues if the puzzle stays unique; otherwise keeps what must stay and
// tries the rest in parts. Returns false once cancelled.
bool PuzzleGenerator::tryRemove(std::vector<int> batch) {
    if (!reportProgress(kReductionShare * static_cast<double>(unitsDone_) / units_.size())) {
        return false;
    }
    for (int unit : batch) {
        for (int cell : units_[unit]) current_.clues[cell] = complete::kNoClue;
    }
    if (isUnique()) {
        removed_.insert(removed_.end(), batch.begin(), batch.end());
        unitsDone_ += batch.size();
        return true;
    }
    for (int unit : batch) {
        for (int cell : units_[unit]) current_.clues[cell] = fullClues_.clues[cell];
    }
    if (batch.size() == 1) {
        ++unitsDone_;
        return true;
    }
    // The other answer disagrees with a clue of the batch somewhere; when only one unit
    // of the batch stops it, that unit must stay whatever else goes.
    std::vector<int> stopping;
    if (result_.solutions == 2 && !result_.stopped) {
        bool firstIsTrue = true;
        for (int unit : batch) {
            for (int cell : units_[unit]) {
                if (loopSides(result_.first, cell, current_.width) != fullClues_.clues[cell]) {
                    firstIsTrue = false;
                }
            }
        }
        const complete::LoopSolution& other = firstIsTrue ? result_.second : result_.first;
        for (int unit : batch) {
            for (int cell : units_[unit]) {
                if (loopSides(other, cell, current_.width) != fullClues_.clues[cell]) {
                    stopping.push_back(unit);
                    break;
                }
            }
        }
    }
    if (stopping.size() == 1) {
        ++unitsDone_;
        batch.erase(std::find(batch.begin(), batch.end(), stopping[0]));
        return tryRemove(std::move(batch));
    }
    const auto half = batch.begin() + static_cast<long>(batch.size() / 2);
    std::vector<int> second(half, batch.end());
    batch.erase(half, batch.end());
    return tryRemove(std::move(batch)) && tryRemove(std::move(second));
}

bool PuzzleGenerator::reduce(RandomSource& random, const GenerateProgress& progress) {
    std::vector<int> order(units_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    random.shuffle(order);
    removed_.clear();
    unitsDone_ = 0;
    progress_ = &progress;
    size_t batchSize = std::max<size_t>(1, order.size() / 8);
    for (size_t next = 0; next < order.size();) {
        const size_t count = std::min(batchSize, order.size() - next);
        const size_t removedBefore = removed_.size();
        std::vector<int> batch(order.begin() + static_cast<long>(next),
                               order.begin() + static_cast<long>(next + count));
        if (!tryRemove(std::move(batch))) return false;
        next += count;
        // Grow the batches while they go through whole, shrink them as clues start to stay.
        if (removed_.size() - removedBefore == count) {
            batchSize = std::min(batchSize * 2, std::max<size_t>(1, order.size() / 4));
        } else {
            batchSize = std::max<size_t>(1, batchSize / 2);
        }
    }
    return true;
}

// The full clues less the first `count` units removed.
void PuzzleGenerator::setRemoved(int count) {
    current_.clues = fullClues_.clues;
    for (int i = 0; i < count; ++i) {
        for (int cell : units_[removed_[i]]) current_.clues[cell] = complete::kNoClue;
    }
}

// The fewest clues along the removal order whose rating is at most `target`, with its
// rating (which may be lower when the rating jumps over the target there).
PuzzleGenerator::Candidate PuzzleGenerator::pickAlongRemovals(int target) {
    auto rateAt = [&](int count) {
        setRemoved(count);
        return rater_.rate(current_);
    };
    int high = static_cast<int>(removed_.size());
    PuzzleRating rating = rateAt(high);
    if (score(rating) <= target) return {current_, rating};
    int low = 0;
    PuzzleRating lowRating = rateAt(0);
    if (score(lowRating) > target) return {current_, lowRating};
    // score(low) <= target < score(high)
    int steps = 0;
    for (int span = high; span > 1; span /= 2) ++steps;
    int step = 0;
    while (high - low > 1) {
        if (!reportProgress(kReductionShare + (1 - kReductionShare) * step++ / (steps + 1.0))) {
            break;
        }
        const int middle = low + (high - low) / 2;
        const PuzzleRating r = rateAt(middle);
        if (score(r) <= target) {
            low = middle;
            lowRating = r;
        } else {
            high = middle;
        }
    }
    setRemoved(low);
    return {current_, lowRating};
}

// Exchanges on a puzzle rated below the target: one clue of the loop that the puzzle lacks
// comes back and one or two of its clues go. The result is kept when it still has one
// answer, the full solve still reaches it and its trial work is no less than before; ends at
// the target rating or after a fixed number of exchanges.
void PuzzleGenerator::harden(Candidate& candidate, int target, RandomSource& random) {
    const int tries = exchangesToTry(candidate.puzzle.width, candidate.puzzle.height);
    std::vector<int> present;
    std::vector<int> absent;
    for (int t = 0; t < tries && candidate.rating.rating < target; ++t) {
        if (!reportProgress(kReductionShare)) return;
        absent.clear();
        for (int unit = 0; unit < static_cast<int>(units_.size()); ++unit) {
            if (candidate.puzzle.clues[units_[unit][0]] < 0) absent.push_back(unit);
        }
        if (absent.empty()) return;
        current_ = candidate.puzzle;
        const int back = absent[random.below(absent.size())];
        for (int cell : units_[back]) current_.clues[cell] = fullClues_.clues[cell];
        // The clues that the one back may make needless lie near it.
        const int width = current_.width;
        const int column = units_[back][0] % width;
        const int row = units_[back][0] / width;
        present.clear();
        for (int unit = 0; unit < static_cast<int>(units_.size()); ++unit) {
            const int cell = units_[unit][0];
            if (unit != back && current_.clues[cell] >= 0 && std::abs(cell % width - column) <= 2 &&
                std::abs(cell / width - row) <= 2) {
                present.push_back(unit);
            }
        }
        const int goes =
            std::min(1 + static_cast<int>(random.below(2)), static_cast<int>(present.size()));
        if (goes == 0) continue;
        for (int k = 0; k < goes; ++k) {
            const size_t i = random.below(present.size());
            for (int cell : units_[present[i]]) current_.clues[cell] = complete::kNoClue;
            present[i] = present.back();
            present.pop_back();
        }
        if (!isUnique()) continue;
        const PuzzleRating rating = rater_.rate(current_);
        if (!rating.solved || rating.rating > target ||
            rating.hardness < candidate.rating.hardness) {
            continue;
        }
        candidate.puzzle = current_;
        candidate.rating = rating;
    }
}

GenerateOutcome PuzzleGenerator::generate(const GenerateRequest& request, GeneratedPuzzle& made,
                                          const GenerateProgress& progress) {
    checkRequest(request);
    cancelled_ = false;
    progress_ = &progress;
    const int width = request.width;
    const int height = request.height;
    const int cells = width * height;
    // No board is rated below its size's floor: ask for the floor instead.
    const int floor = std::min(6, sizeFloor(width, height).floor);
    const int target = request.rating == kAnyRating ? 6 : std::max(request.rating, floor);
    RandomSource random(request.seed);
    // A check that runs this long is taken as a failure: the clue stays, and the puzzle
    // keeps one clue more than it might.
    int64_t nodeLimit = kNodeLimitBase + kNodeLimitPerCell * static_cast<int64_t>(cells);
    const int loops = loopsToTry(width, height);
    bool haveBest = false;
    Candidate best;
    made.loopsDrawn = 0;

    for (int loop = 0; loop < loops; ++loop) {
        progressBase_ = static_cast<double>(loop) / loops;
        progressSpan_ = request.rating == kAnyRating ? 1.0 : 1.0 / loops;
        ++made.loopsDrawn;
        const LoopRegion region = drawLoopRegion(width, height, random);
        fullClues_ = complete::LoopPuzzle(width, height);
        for (int cell = 0; cell < cells; ++cell) {
            const int sides = region.loopSides(cell % width, cell / width);
            if (sides <= 3) fullClues_.clues[cell] = static_cast<int8_t>(sides);
        }
        current_ = fullClues_;
        solver_.setNodeLimit(nodeLimit);
        if (!isUnique()) continue;

        units_.clear();
        for (int cell = 0; cell < cells; ++cell) {
            const int opposite = cells - 1 - cell;
            if (fullClues_.clues[cell] < 0 || (request.symmetric && opposite < cell)) continue;
            units_.push_back({cell});
            if (request.symmetric && opposite != cell && fullClues_.clues[opposite] >= 0) {
                units_.back().push_back(opposite);
            }
        }
        if (!reduce(random, progress)) return GenerateOutcome::kCancelled;

        Candidate candidate = pickAlongRemovals(target);
        if (cancelled_) return GenerateOutcome::kCancelled;
        if (!candidate.rating.solved) continue;
        if (request.rating != kAnyRating && candidate.rating.rating < target) {
            harden(candidate, target, random);
            if (cancelled_) return GenerateOutcome::kCancelled;
        }
        // Too easy even with every clue gone that the checks let go: let the next loop's
        // checks search longer, so that more clues can go.
        if (candidate.rating.rating < target) nodeLimit = std::min(nodeLimit * 2, kNodeLimitMax);
        const int distance = std::abs(candidate.rating.rating - target);
        if (!haveBest || distance < std::abs(best.rating.rating - target)) {
            best = std::move(candidate);
            haveBest = true;
        }
        if (distance == 0 || request.rating == kAnyRating) break;
    }
    if (!haveBest) return GenerateOutcome::kNoPuzzle;
    made.puzzle = std::move(best.puzzle);
    made.rating = best.rating.rating;
    made.ratingAsked = request.rating == kAnyRating || made.rating == request.rating;
    made.clues = static_cast<int>(std::count_if(made.puzzle.clues.begin(), made.puzzle.clues.end(),
                                                [](int8_t c) { return c >= 0; }));
    return GenerateOutcome::kMade;
}

}  // namespace vexilo::generate
