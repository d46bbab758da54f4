// The solver's commands of vexilo-cli: solve, rate, bench and generate.
#pragma once

#include "cli/cli_common.h"

namespace vexilo::cli {

extern const char* const kSolveUsage;
extern const char* const kRateUsage;
extern const char* const kBenchUsage;
extern const char* const kGenerateUsage;

int runSolveCommand(const Args& args);
int runRateCommand(const Args& args);
int runBenchCommand(const Args& args);
int runGenerateCommand(const Args& args);

}  // namespace vexilo::cli
