// The one option parser of the command-line tool's batch commands: flags, a solve level and
// whole numbers, given as "--name VALUE", "--name=VALUE" or, for a short option, "-jVALUE";
// every other word that does not start with '-' is a PATH.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "solver/solve_commands.h"

namespace vexilo::cli {

class OptionParser {
  public:
    // `usage` is printed after a problem; `command` names the command in "takes at least one
    // puzzle file or folder".
    OptionParser(const char* usage, const char* command) : usage_(usage), command_(command) {}

    void flag(const char* name, bool& target);
    // `given`, when set, learns whether the option was there.
    void level(const char* name, SolveLevel& target, bool* given = nullptr);
    // A whole number from min to max; `problem` is reported for anything else.
    void count(const char* longName, const char* shortName, int min, int max, int& target,
               const char* problem);

    // Parses args into the targets and `paths`; on a problem prints it with the usage and
    // returns false.
    bool parse(const Args& args, Args& paths) const;

  private:
    struct Option {
        const char* longName;
        const char* shortName;  // or nullptr
        bool takesValue;
        // Stores the value; false when the value is not acceptable.
        std::function<bool(const std::string&)> store;
        const char* problem;
    };
    const char* usage_;
    const char* command_;
    std::vector<Option> options_;
};

// Reads the value of an option given as "--name VALUE", "--name=VALUE" or, for a short
// option, "-jVALUE". `i` is at the option and is left at its last word. Returns false when
// args[i] is not this option; `value` is empty when the value is missing.
bool optionValue(const Args& args, size_t& i, const char* longName, const char* shortName,
                 std::string& value);

// A whole number from min to max, or false.
bool parseCount(const std::string& text, int min, int max, int& value);

}  // namespace vexilo::cli
