// Makes a large unique puzzle that needs search, for the complete solver's benchmark: a
// random loop with every clue, then clues taken away one at a time, in random order, inside
// square patches spread over the board, each only when the complete solver still proves one
// answer. A whole generator run on such a board would take hours.
//
//     vexilo-patched-puzzle SIDE SEED PATCHES_PER_ROW PATCH_SIDE NODE_LIMIT OUT.ALC
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "complete/complete_solver.h"
#include "generate/loop_drawing.h"
#include "generate/puzzle_rating.h"

int main(int argc, char** argv) {
    using namespace vexilo;
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s SIDE SEED PATCHES_PER_ROW PATCH_SIDE NODE_LIMIT OUT.ALC\n",
                     argv[0]);
        return 2;
    }
    const int side = std::atoi(argv[1]);
    generate::RandomSource random(std::strtoull(argv[2], nullptr, 10));
    const int patches = std::atoi(argv[3]);
    const int patch = std::atoi(argv[4]);
    const generate::LoopRegion region = generate::drawLoopRegion(side, side, random);
    complete::LoopPuzzle puzzle(side, side);
    for (int cell = 0; cell < side * side; ++cell) {
        const int sides = region.loopSides(cell % side, cell / side);
        if (sides <= 3) puzzle.clues[cell] = static_cast<int8_t>(sides);
    }
    std::vector<int> cells;
    const int gap = side / patches;
    for (int i = 0; i < patches; ++i) {
        for (int j = 0; j < patches; ++j) {
            for (int y = 0; y < patch; ++y) {
                for (int x = 0; x < patch; ++x) {
                    const int column = i * gap + (gap - patch) / 2 + x;
                    const int row = j * gap + (gap - patch) / 2 + y;
                    cells.push_back(row * side + column);
                }
            }
        }
    }
    random.shuffle(cells);
    complete::CompleteSolver solver;
    solver.setNodeLimit(std::atoll(argv[5]));
    complete::CompleteResult result;
    int removed = 0;
    for (int cell : cells) {
        const int8_t clue = puzzle.clues[cell];
        if (clue < 0) continue;
        puzzle.clues[cell] = complete::kNoClue;
        solver.solve(puzzle, result);
        if (result.solutions == 1 && !result.stopped) {
            ++removed;
        } else {
            puzzle.clues[cell] = clue;
        }
    }
    solver.setNodeLimit(0);
    solver.solve(puzzle, result);
    std::fprintf(stderr, "%d clues removed; %d answers, %lld nodes\n", removed, result.solutions,
                 static_cast<long long>(result.nodes));
    std::ofstream out(argv[6], std::ios::binary);
    for (const std::string& line : generate::nativeLinesOf(puzzle, -1)) out << line << "\r\n";
    return result.solutions == 1 ? 0 : 1;
}
