#include "hints/hint_reasons.h"

#include "hints/next_deduction.h"
#include "model/board.h"
#include "model/lattice.h"

namespace vexilo {
namespace {

const int kStepX[4] = {0, 0, -1, 1};
const int kStepY[4] = {-1, 1, 0, 0};

struct Around {
    int lines = 0;
    int crosses = 0;
};

// The four edges around a cell or a dot; the outside ring counts as crosses.
Around around(const Board& b, int x, int y) {
    Around a;
    for (int i = 0; i < 4; ++i) {
        const int k = b.at(x + kStepX[i], y + kStepY[i]) & kKeyMask;
        a.lines += k == kLine ? 1 : 0;
        a.crosses += k == kCross ? 1 : 0;
    }
    return a;
}

// The clue of cell (x, y), or -1.
int clueAt(const Board& b, int x, int y) {
    const int k = b.at(x, y) & kKeyMask;
    if (k == kClueZero) return 0;
    return k >= 1 && k <= 3 ? k : -1;
}

std::string cellName(const Board& b, int x, int y) {
    const std::string at =
        "上から" + std::to_string(y / 2) + "行目・左から" + std::to_string(x / 2) + "列目の";
    const int n = clueAt(b, x, y);
    return n < 0 ? at + "マス" : at + "「" + std::to_string(n) + "」";
}

std::string dotName(int x, int y) {
    return "上から" + std::to_string((y + 1) / 2) + "番目・左から" + std::to_string((x + 1) / 2) +
           "番目の点";
}

// Corners as the rule engine numbers them: 1 top-left, 2 bottom-left, 3 bottom-right,
// 4 top-right.
const char* cornerName(int corner) {
    static const char* const kNames[5] = {"", "左上", "左下", "右下", "右上"};
    return kNames[corner >= 1 && corner <= 4 ? corner : 0];
}

std::string valueWord(int value) {
    return value == kLine ? "線" : "×";
}

std::string so(int value) {
    return "ので、ここは" + valueWord(value) + "です。";
}

// A clue whose count alone forces the edge.
bool cellReason(const Board& b, int cx, int cy, int value, Reason& r) {
    const int n = clueAt(b, cx, cy);
    if (n < 0) return false;
    const Around a = around(b, cx, cy);
    if (value == kCross && n == 0) {
        r = {"zero", cellName(b, cx, cy) + "のまわりには線を引けないので、ここは×です。"};
        return true;
    }
    if (value == kCross && a.lines == n) {
        r = {"cell-full", cellName(b, cx, cy) + "のまわりにはもう線が" + std::to_string(n) +
                              "本あるので、残りの辺は×です。"};
        return true;
    }
    if (value == kLine && 4 - a.crosses == n) {
        r = {"cell-needs-all", cellName(b, cx, cy) + "は×でない辺が" + std::to_string(n) +
                                   "本しかないので、どれも線です。"};
        return true;
    }
    return false;
}

// A dot whose edges alone force the edge.
bool dotReason(const Board& b, int dx, int dy, int value, Reason& r) {
    const Around a = around(b, dx, dy);
    const int open = 4 - a.lines - a.crosses;
    if (value == kCross && a.lines == 2) {
        r = {"dot-full", dotName(dx, dy) + "にはもう線が2本あるので、ここは×です。"};
        return true;
    }
    if (value == kCross && a.lines == 0 && open == 1) {
        r = {"dot-dead-end", dotName(dx, dy) + "は行き止まりなので、ここは×です。"};
        return true;
    }
    if (value == kLine && a.lines == 1 && open == 1) {
        r = {"dot-continue", dotName(dx, dy) + "に来た線は、ここにしか進めません。"};
        return true;
    }
    return false;
}

// The basic rule of the cell or dot whose edges setEdgeGroup set.
Reason basicReason(const Board& b, const Deduction& d) {
    const int gx = d.group.x;
    const int gy = d.group.y;
    Reason r;
    if (isDot(gx, gy)) {
        if (dotReason(b, gx, gy, d.value, r)) return r;
        return {"dot",
                dotName(gx, gy) + "のまわりの線と×から、ここは" + valueWord(d.value) + "です。"};
    }
    if (!isCell(gx, gy) || gx == 0) return {"basic", "まわりの数字と点から" + so(d.value)};
    if (cellReason(b, gx, gy, d.value, r)) return r;
    const std::string cell = cellName(b, gx, gy);
    if (d.group.group == 0) {
        return {"cell-count",
                cell + "のまわりの線と×の数から、ここは" + valueWord(d.value) + "です。"};
    }
    // Groups 1..4 are the cell's sides at a corner, 5..8 the corner dot's outer edges.
    const int corner = (d.group.group - 1) % 4 + 1;
    return {"cell-corner", cell + "の" + cornerName(corner) + "の角の点を通る線を考えると、ここは" +
                               valueWord(d.value) + "です。"};
}

}  // namespace

Reason reasonFor(const Board& b, const Deduction& d) {
    const RuleSite& s = d.site;
    const int v = d.value;
    const std::string w = valueWord(v);
    const std::string cell = isCell(s.x, s.y) ? cellName(b, s.x, s.y) : std::string();
    const std::string other = isCell(s.otherX, s.otherY) && s.otherX != 0
                                  ? cellName(b, s.otherX, s.otherY)
                                  : std::string();
    const std::string corner = cornerName(s.corner);
    switch (s.rule) {
        case RuleId::kNone:
        case RuleId::kColourSeed:
            return {"inside-outside",
                    "両側のマスが輪の内側か外側かが決まっているので、ここは" + w + "です。"};
        case RuleId::kZeroClue: {
            Reason r;
            if (cellReason(b, s.x, s.y, v, r)) return r;
            return {"zero", cell + "のまわりには線を引けないので、ここは×です。"};
        }
        case RuleId::kBasic:
            return basicReason(b, d);
        case RuleId::kSubLoop:
            if (s.x == 0)
                return {"sub-loop", "ここを線にすると小さな輪が閉じてしまうので、×です。"};
            return {"sub-loop",
                    dotName(s.x, s.y) + "から続く線は" + dotName(s.otherX, s.otherY) +
                        "で終わっています。ここを線にすると小さな輪が閉じるので、×です。"};
        case RuleId::kThreesDiagonal:
            return {"threes-diagonal", cell + "と" + other + "が斜めに接している" + so(v)};
        case RuleId::kThreesAdjacent:
            return {"threes-adjacent", cell + "と" + other + "が隣り合っている" + so(v)};
        case RuleId::kThreesAlongTwos:
            return {"threes-along-twos", cell + "から斜めに2が並んで" + other + "に続く" + so(v)};
        case RuleId::kOnesAdjacent:
            return {"ones-adjacent",
                    cell + "と" + other + "が隣り合い、間の辺の先に×がある" + so(v)};
        case RuleId::kOneBesideTwo:
            return {"one-beside-two", cell + "と隣の" + other +
                                          "の間の辺は、両端の先が×なので線になれません。ここは" +
                                          w + "です。"};
        case RuleId::kOneBesideThree:
            return {"one-beside-three",
                    cell + "の隣に" + other + "があり、間の辺の延長に×がある" + so(v)};
        case RuleId::kTwoBesideThree:
            return {"two-beside-three",
                    cell + "の隣に" + other + "があり、反対側の辺が×な" + so(v)};
        case RuleId::kTwoCornerClosed:
            return {"two-corner-closed", cell + "の" + corner + "の角の外側が×で閉じていて、隣に" +
                                             other + "がある" + so(v)};
        case RuleId::kTwoTowardsThree:
            return {"two-towards-three",
                    cell + "の" + corner +
                        "の角の辺の一方が×で、反対の角から斜めに並ぶ数字が3に続く" + so(v)};
        case RuleId::kBlankBesideThree:
            return {"blank-beside-three", cell + "は隣に" + other + "がある" + so(v)};
        case RuleId::kChainOneIn:
            return {"chain-one-in",
                    cell + "の" + corner +
                        "の角には線が1本だけ入ります。斜めに続く数字をたどると、ここは" + w +
                        "です。"};
        case RuleId::kChainSamePair:
            return {"chain-same-pair",
                    cell + "の" + corner +
                        "の角の2辺は両方線か両方×です。斜めに続く数字をたどると、ここは" + w +
                        "です。"};
        case RuleId::kChainScan:
            return {"chain-scan", cell + "から" + corner +
                                      "の方へ斜めに続く数字をたどると、ここは" + w + "です。"};
        case RuleId::kColourEdge: {
            const bool horizontal = isHorizontalEdge(s.x, s.y);
            return {"colour-edge", std::string(horizontal ? "上下" : "左右") + "のマスが輪の" +
                                       (v == kLine ? "内側と外側に分かれる" : "同じ側にある") +
                                       so(v)};
        }
        case RuleId::kColourClue:
            return {"colour-clue",
                    cell + "のまわりのマスが輪の内側か外側かで、線の通る辺が決まる" + so(v)};
        case RuleId::kColourBlank:
            return {"colour-blank",
                    cell + "のまわりのマスがすべて輪の同じ側にあるので、ここは×です。"};
        case RuleId::kTrialThree:
            return {"trial-three",
                    std::string(clueAt(b, s.otherX, s.otherY) == 3 ? cellName(b, s.otherX, s.otherY)
                                                                   : "「3」") +
                        "のこの辺を×にしてみると行き詰まるので、ここは線です。"};
        case RuleId::kTrialOne:
            return {"trial-one", cellName(b, s.otherX, s.otherY) +
                                     "のこの辺を線にしてみると行き詰まるので、ここは×です。"};
        case RuleId::kTrialEdge:
            return {"trial", std::string("ここを") + (v == kLine ? "×" : "線") +
                                 "にしてみると行き詰まるので、" + w + "です。"};
    }
    return answerReason(v);
}

Reason answerReason(int value) {
    return {"answer", "答えから、ここは" + valueWord(value) + "です。"};
}

}  // namespace vexilo
