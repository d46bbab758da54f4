#include "small_answers.h"

#include <array>
#include <bit>

namespace vexilo::fuzz {

namespace {

bool inside(uint32_t set, int width, int height, int row, int column) {
    if (row < 0 || column < 0 || row >= height || column >= width) return false;
    return (set >> (row * width + column)) & 1;
}

// Cells reachable from `start` through cells whose membership equals `member`; the
// outside of the board counts as one more non-member cell touching every border cell.
uint32_t reach(uint32_t set, int width, int height, bool member, int start) {
    const int n = width * height;
    uint32_t seen = 0;
    std::array<int, 17> stack{};
    int top = 0;
    auto push = [&](int cell) {
        if (cell == n || !(seen >> cell & 1)) {
            if (cell < n) seen |= 1u << cell;
            stack[top++] = cell;
        }
    };
    bool outsideSeen = start == n;
    push(start);
    while (top > 0) {
        const int cell = stack[--top];
        if (cell == n) {
            for (int b = 0; b < n; ++b) {
                const int r = b / width;
                const int c = b % width;
                const bool border = r == 0 || c == 0 || r == height - 1 || c == width - 1;
                if (border && inside(set, width, height, r, c) == member) push(b);
            }
            continue;
        }
        const int r = cell / width;
        const int c = cell % width;
        const int dr[4] = {-1, 1, 0, 0};
        const int dc[4] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d) {
            const int nr = r + dr[d];
            const int nc = c + dc[d];
            if (nr < 0 || nc < 0 || nr >= height || nc >= width) {
                if (!member && !outsideSeen) {
                    outsideSeen = true;
                    push(n);
                }
            } else if (inside(set, width, height, nr, nc) == member) {
                push(nr * width + nc);
            }
        }
    }
    return seen;
}

bool isLoop(uint32_t set, int width, int height) {
    const int n = width * height;
    const uint32_t all = n == 32 ? ~0u : (1u << n) - 1;
    if (set == 0 || reach(set, width, height, true, std::countr_zero(set)) != set) return false;
    if (reach(set, width, height, false, n) != (all & ~set)) return false;  // a hole
    for (int r = 0; r + 1 < height; ++r) {
        for (int c = 0; c + 1 < width; ++c) {
            const bool a = inside(set, width, height, r, c);
            const bool b = inside(set, width, height, r, c + 1);
            const bool d = inside(set, width, height, r + 1, c);
            const bool e = inside(set, width, height, r + 1, c + 1);
            if (a == e && b == d && a != b) return false;  // cells meeting at a corner
        }
    }
    return true;
}

int linesAround(uint32_t set, int width, int height, int cell) {
    const int row = cell / width;
    const int column = cell % width;
    const bool in = inside(set, width, height, row, column);
    return (inside(set, width, height, row - 1, column) != in) +
           (inside(set, width, height, row + 1, column) != in) +
           (inside(set, width, height, row, column - 1) != in) +
           (inside(set, width, height, row, column + 1) != in);
}

}  // namespace

const std::vector<SmallAnswer>& loopsOf(int width, int height) {
    static std::array<std::vector<SmallAnswer>, kSmallSide * kSmallSide> cache;
    static std::array<bool, kSmallSide * kSmallSide> done{};
    const int key = (height - 1) * kSmallSide + (width - 1);
    if (!done[key]) {
        for (uint32_t set = 1; set < (1u << (width * height)); ++set) {
            if (!isLoop(set, width, height)) continue;
            SmallAnswer answer{set, std::popcount(set)};
            for (int i = 0; i < width * height; ++i) {
                answer.around[i] = static_cast<uint8_t>(linesAround(set, width, height, i));
            }
            cache[key].push_back(answer);
        }
        done[key] = true;
    }
    return cache[key];
}

const SmallAnswer* uniqueAnswer(int width, int height, const uint8_t* clues) {
    const SmallAnswer* found = nullptr;
    for (const auto& answer : loopsOf(width, height)) {
        bool fits = true;
        for (int i = 0; i < width * height && fits; ++i)
            fits = clues[i] > 3 || answer.around[i] == clues[i];
        if (!fits) continue;
        if (found != nullptr) return nullptr;
        found = &answer;
    }
    return found;
}

bool isLoopEdge(const SmallAnswer& answer, int width, int height, int x, int y) {
    // Cells sit at (2c + 2, 2r + 2); an edge separates the two cells beside it.
    if (x % 2 == 0) {  // horizontal: the cells above and below
        const int c = x / 2 - 1;
        const int below = (y + 1) / 2 - 1;
        return inside(answer.inside, width, height, below - 1, c) !=
               inside(answer.inside, width, height, below, c);
    }
    const int r = y / 2 - 1;
    const int right = (x + 1) / 2 - 1;
    return inside(answer.inside, width, height, r, right - 1) !=
           inside(answer.inside, width, height, r, right);
}

}  // namespace vexilo::fuzz
