#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "files/file_errors.h"
#include "model/frontend.h"
#include "model/puzzle_state.h"

namespace vexilo::fuzz {

PuzzleState& sharedState() {
    static SilentFrontend frontend;
    static auto state = std::make_unique<PuzzleState>(frontend);
    return *state;
}

std::string scratchFile(const uint8_t* data, size_t size, const std::string& extension) {
    static const std::string base = [] {
        const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/vexilo-fuzz-" + std::to_string(::getpid());
    }();
    const std::string path = base + extension;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
        fail("cannot write the scratch file " + path);
    }
    return path;
}

bool readerMayRefuse(const std::function<bool()>& read) {
    try {
        return read();
    } catch (const std::out_of_range&) {
    } catch (const std::invalid_argument&) {
    } catch (const FormatError&) {
    } catch (const std::exception& e) {
        fail(std::string("unexpected exception: ") + e.what());
    }
    return false;
}

void checkLoadedPuzzle(const PuzzleState& state) {
    if (state.W() < 1 || state.W() > kMaxCells || state.H() < 1 || state.H() > kMaxCells) {
        fail("a puzzle of " + std::to_string(state.W()) + " x " + std::to_string(state.H()));
    }
    for (int r = 0; r < state.H(); ++r) {
        for (int c = 0; c < state.W(); ++c) {
            const uint8_t code = (*state.clueGrid)[r][c];
            const int mark = code & ~kKeyMask;
            if ((code & kKeyMask) > 4 || (mark != 0 && mark != kInside && mark != kOutside)) {
                fail("cell code " + std::to_string(code));
            }
        }
    }
}

void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

}  // namespace vexilo::fuzz
