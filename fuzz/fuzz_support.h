// Shared by the fuzz targets: one puzzle state per process (its capacities are allocated
// once, as in the program), scratch files for the readers that take a path, and the
// checks every reader must pass. A broken check aborts, which libFuzzer reports as a
// finding with its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vexilo {
struct PuzzleState;
}

namespace vexilo::fuzz {

PuzzleState& sharedState();

// Writes the bytes into this process's scratch file with the given extension (".LPM");
// returns its path.
std::string scratchFile(const uint8_t* data, size_t size, const std::string& extension);

// Runs read. The readers' own refusals (std::out_of_range, std::invalid_argument,
// FormatError) are fine; any other exception aborts. Returns true when read returned true.
bool readerMayRefuse(const std::function<bool()>& read);

// Aborts unless the state holds a puzzle of 1..500 x 1..500 cells whose every cell code
// is a clue 0-3 or none with no mark, an inside or an outside mark.
void checkLoadedPuzzle(const PuzzleState& state);

[[noreturn]] void fail(const std::string& what);

}  // namespace vexilo::fuzz
