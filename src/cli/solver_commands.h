// The solver's commands of vexilo-cli: solve, rate and bench.
#pragma once

#include "cli/cli_common.h"

namespace vexilo::cli {

extern const char* const kSolveUsage;
extern const char* const kRateUsage;
extern const char* const kBenchUsage;

int runSolveCommand(const Args& args);
int runRateCommand(const Args& args);
int runBenchCommand(const Args& args);

}  // namespace vexilo::cli
