#include "hints/hint_reasons.h"

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
    return "上から" + std::to_string(y / 2) + "行目・左から" + std::to_string(x / 2) + "列目の「" +
           std::to_string(clueAt(b, x, y)) + "」";
}

std::string dotName(int x, int y) {
    return "上から" + std::to_string((y + 1) / 2) + "番目・左から" + std::to_string((x + 1) / 2) +
           "番目の点";
}

const char* valueWord(int value) {
    return value == kLine ? "線" : "×";
}

// A clue beside the edge that forces it by its count alone.
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

// A dot at an end of the edge that forces it.
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

// The nearest clue beside the edge, for the rules that look at a clue and its corners.
std::string besideClue(const Board& b, int x, int y) {
    const int sx = x % 2 == 0 ? 0 : 1;
    const int sy = 1 - sx;
    for (int side : {-1, 1}) {
        const int cx = x + side * sx;
        const int cy = y + side * sy;
        if (isCell(cx, cy) && clueAt(b, cx, cy) >= 0) return cellName(b, cx, cy);
    }
    return {};
}

}  // namespace

Reason reasonFor(const Board& b, int x, int y, int value, const std::string& level) {
    Reason r;
    const bool horizontal = isHorizontalEdge(x, y);
    if (level == "start" || level == "basic") {
        const int cx = horizontal ? 0 : 1;
        const int cy = horizontal ? 1 : 0;
        for (int side : {-1, 1}) {
            if (cellReason(b, x + side * cx, y + side * cy, value, r)) return r;
        }
        for (int side : {-1, 1}) {
            if (dotReason(b, x + side * cy, y + side * cx, value, r)) return r;
        }
    }
    const std::string w = valueWord(value);
    if (level == "start") {
        return {"inside-outside",
                "両側のマスが輪の内側か外側かが決まっているので、ここは" + w + "です。"};
    }
    if (level == "basic") return {"basic", "まわりの数字と点から、ここは" + w + "です。"};
    if (level == "sub-loop") {
        return {"sub-loop", "ここを線にすると小さな輪が閉じてしまうので、×です。"};
    }
    if (level == "advanced") {
        const std::string clue = besideClue(b, x, y);
        if (!clue.empty()) {
            return {"advanced", clue + "とそのまわりの数字の組み合わせから、ここは" + w + "です。"};
        }
        return {"advanced", "近くの数字の組み合わせから、ここは" + w + "です。"};
    }
    if (level == "colour") {
        return {"colour", "マスを輪の内側と外側に塗り分けると、ここは" + w + "です。"};
    }
    if (level == "trial") {
        return {"trial", std::string("ここを") + (value == kLine ? "×" : "線") +
                             "にしてみると行き詰まるので、" + w + "です。"};
    }
    return {"answer", "答えから、ここは" + w + "です。"};
}

}  // namespace vexilo
