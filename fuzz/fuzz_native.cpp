// The native reader on any text. Besides the checks every reader passes: the rating
// write-back, applied to a text the reader took, gives a text that reads as the same
// puzzle with the new rating.
#include <array>
#include <string_view>
#include <vector>

#include "files/native_file.h"
#include "files/rating_field.h"
#include "files/text_lines.h"
#include "fuzz_support.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

using namespace vexilo;

namespace {

std::vector<uint8_t> cellsOf(const PuzzleState& state) {
    std::vector<uint8_t> cells;
    for (int r = 0; r < state.H(); ++r) {
        for (int c = 0; c < state.W(); ++c) cells.push_back((*state.clueGrid)[r][c]);
    }
    return cells;
}

bool readText(PuzzleState& state, std::string_view text) {
    state.fileLines = splitTextLines(text);
    return fuzz::readerMayRefuse([&] { return readNativeText(state, "fuzz.ALC"); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PuzzleState& state = fuzz::sharedState();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!readText(state, text)) return 0;
    fuzz::checkLoadedPuzzle(state);

    const int width = state.W();
    const int height = state.H();
    const std::vector<uint8_t> cells = cellsOf(state);
    const int rating = static_cast<int>(size % 8) - 1;
    const auto patched = withHeaderRating(text, rating);
    if (!patched) fuzz::fail("the rating write-back did not find the header");
    if (!readText(state, *patched)) fuzz::fail("the text with a new rating does not read");
    if (state.W() != width || state.H() != height || cellsOf(state) != cells ||
        state.difficulty.stored != rating) {
        fuzz::fail("the text with a new rating reads as another puzzle");
    }
    return 0;
}
