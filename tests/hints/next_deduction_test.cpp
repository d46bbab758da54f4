// Fixed positions from corpus puzzles whose next deduction is known, one or more per rule
// level: the hint names that edge, its value, the rule and the level.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/text_lines.h"
#include "hints/hint.h"
#include "loading/puzzle_loading.h"
#include "model/lattice_picture.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

TEST(NextDeductions, KnownPositionsAtEveryLevel) {
    std::ifstream table(std::string(VEXILO_TEST_DATA) + "/hints/next_deductions.txt");
    ASSERT_TRUE(table);
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        std::string puzzle, position, level, value, rule;
        int x = 0;
        int y = 0;
        row >> puzzle >> position >> level >> x >> y >> value >> rule;
        SCOPED_TRACE(position);

        testing::TestState s;
        s->drawEnabled = 0;
        openPuzzleFile(*s, std::string(VEXILO_TEST_DATA) + "/" + testing::corpusFile(puzzle),
                       WriteBack::kNone);
        const std::vector<std::string> picture =
            loadTextLines(std::string(VEXILO_TEST_DATA) + "/hints/" + position);
        std::vector<PictureEdge> edges;
        std::string error;
        ASSERT_TRUE(readPictureEdges(picture, s->W(), s->H(), edges, error)) << error;
        for (const PictureEdge& e : edges) {
            appendEntry(*s->mainBoard, moveEntry(e.x, e.y, e.value), s->frontend);
        }
        rebuildBoard(*s, *s->mainBoard, *s->mainBoard);
        const int logged = s->mainBoard->writePos;

        const Hint h = findHint(*s);
        EXPECT_EQ(h.kind, HintKind::kDeduction);
        EXPECT_EQ(h.level, level);
        EXPECT_EQ(h.x, x);
        EXPECT_EQ(h.y, y);
        EXPECT_EQ(h.value, value == "line" ? kLine : kCross);
        EXPECT_EQ(h.rule, rule);
        EXPECT_EQ(s->mainBoard->writePos, logged);
        ++rows;
    }
    EXPECT_EQ(rows, 12);
}

}  // namespace
}  // namespace vexilo
