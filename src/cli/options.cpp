#include "cli/options.h"

#include "cli/cli_puzzle.h"
#include "cli/puzzle_solve.h"

namespace vexilo::cli {

void OptionParser::flag(const char* name, bool& target) {
    options_.push_back({name, nullptr, false,
                        [&target](const std::string&) {
                            target = true;
                            return true;
                        },
                        ""});
}

void OptionParser::level(const char* name, SolveLevel& target, bool* given) {
    options_.push_back({name, nullptr, true,
                        [&target, given](const std::string& v) {
                            if (given != nullptr) *given = true;
                            return parseLevel(v, target);
                        },
                        "--level takes 0, 1, 2 or full"});
}

void OptionParser::count(const char* longName, const char* shortName, int min, int max,
                         int& target, const char* problem) {
    options_.push_back({longName, shortName, true,
                        [&target, min, max](const std::string& v) {
                            return parseCount(v, min, max, target);
                        },
                        problem});
}

bool OptionParser::parse(const Args& args, Args& paths) const {
    for (size_t i = 0; i < args.size(); ++i) {
        bool matched = false;
        for (const Option& o : options_) {
            std::string value;
            if (o.takesValue ? optionValue(args, i, o.longName, o.shortName, value)
                             : args[i] == o.longName) {
                if (!o.store(value)) {
                    usageError(usage_, o.problem);
                    return false;
                }
                matched = true;
                break;
            }
        }
        if (matched) continue;
        if (args[i].size() > 1 && args[i][0] == '-') {
            usageError(usage_, "unknown option " + args[i]);
            return false;
        }
        paths.push_back(args[i]);
    }
    if (paths.empty()) {
        usageError(usage_, std::string(command_) + " takes at least one puzzle file or folder");
        return false;
    }
    return true;
}

bool optionValue(const Args& args, size_t& i, const char* longName, const char* shortName,
                 std::string& value) {
    const std::string& a = args[i];
    const std::string eq = std::string(longName) + "=";
    if (a == longName || (shortName != nullptr && a == shortName)) {
        value = i + 1 < args.size() ? args[++i] : std::string();
        return true;
    }
    if (a.rfind(eq, 0) == 0) {
        value = a.substr(eq.size());
        return true;
    }
    if (shortName != nullptr && a.size() > 2 && a.rfind(shortName, 0) == 0) {
        value = a.substr(std::string(shortName).size());
        return true;
    }
    return false;
}

bool parseCount(const std::string& text, int min, int max, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < min || v > max) return false;
    value = v;
    return true;
}

}  // namespace vexilo::cli
