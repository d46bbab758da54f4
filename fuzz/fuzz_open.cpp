// Opening a file by its extension, as the open command does: the first byte picks the
// extension, the rest is the file.
#include <string>

#include "files/open_save.h"
#include "fuzz_support.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

using namespace vexilo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kExtensions[] = {".ALC", ".alc",  ".SLZ", ".LPM",
                                              ".SLT", ".RING", ".txt", ""};
    const std::string extension = kExtensions[data[0] % 8];
    const std::string path = fuzz::scratchFile(data + 1, size - 1, extension);
    PuzzleState& state = fuzz::sharedState();
    if (fuzz::readerMayRefuse([&] { return openPuzzleFile(state, path, WriteBack::kNone); })) {
        fuzz::checkLoadedPuzzle(state);
    }
    return 0;
}
