// One foreign reader (FUZZ_FORMAT: 0 .SLZ, 1 .LPM, 2 .SLT, 3 .RING) on any bytes, followed
// by the native reader on what it produced, as the open command does.
#include "files/foreign_formats.h"
#include "files/native_file.h"
#include "files/text_lines.h"
#include "fuzz_support.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

using namespace vexilo;

namespace {

constexpr const char* kExtensions[] = {".SLZ", ".LPM", ".SLT", ".RING"};

void loadForeign(PuzzleState& state, const std::string& path) {
    switch (FUZZ_FORMAT) {
        case 0:
            state.fileLines = loadTextLines(path);
            convertSlzLines(state);
            break;
        case 1:
            loadLpmFile(state, path);
            break;
        case 2:
            loadSltFile(state, path);
            break;
        default:
            loadRingFile(state, path);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PuzzleState& state = fuzz::sharedState();
    const std::string path = fuzz::scratchFile(data, size, kExtensions[FUZZ_FORMAT]);
    state.fileLines.clear();
    const bool read = fuzz::readerMayRefuse([&] {
        loadForeign(state, path);
        return readNativeText(state, path);
    });
    if (read) fuzz::checkLoadedPuzzle(state);
    return 0;
}
