// The file commands of vexilo-cli: show, convert, export, check, hint.
#pragma once

#include "cli/cli_common.h"

namespace vexilo::cli {

// Exit codes of check besides 0 (correct) and 1 (wrong).
constexpr int kExitOpen = 3;

extern const char* const kShowUsage;
extern const char* const kConvertUsage;
extern const char* const kExportUsage;
extern const char* const kCheckUsage;
extern const char* const kHintUsage;

int runShow(const Args& args);
int runConvert(const Args& args);
int runExport(const Args& args);
int runCheck(const Args& args);
int runHint(const Args& args);

}  // namespace vexilo::cli
