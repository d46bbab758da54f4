// vexilo-cli generate: new puzzles with one answer at a chosen size and rating, written as
// .ALC files whose header holds the rating as the auto-solve command would write it.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <random>

#include "cli/batch.h"
#include "cli/cli_puzzle.h"
#include "cli/options.h"
#include "cli/puzzle_solve.h"
#include "cli/solver_commands.h"
#include "files/native_file.h"
#include "files/puzzle_formats.h"
#include "generate/puzzle_generator.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"

namespace vexilo::cli {

const char* const kGenerateUsage =
    "generate --size WxH [--rating R] [--count N] [--seed S] [--symmetric] [-j N] [-o DIR]\n"
    "         [--json] [--cpu]\n"
    "                       new puzzles with one answer: N .ALC files (rating 0-6 as the\n"
    "                       auto-solve command gives it; without --rating any rating);\n"
    "                       --cpu: ms is the processor time of the making thread";

namespace {

struct GenerateOptions {
    generate::GenerateRequest request;
    int count = 1;
    int threads = 1;
    bool seedGiven = false;
    bool json = false;
    std::string folder = ".";
};

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return parseCount(text.substr(0, x), 0, 999999999, width) &&
           parseCount(text.substr(x + 1), 0, 999999999, height);
}

bool parseSeed(const std::string& text, uint64_t& seed) {
    if (text.empty() || text.size() > 20 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    try {
        seed = std::stoull(text);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool parseGenerateOptions(const Args& args, GenerateOptions& o) {
    auto fail = [](const std::string& problem) {
        usageError(kGenerateUsage, problem);
        return false;
    };
    bool sizeGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--symmetric") {
            o.request.symmetric = true;
        } else if (args[i] == "--json") {
            o.json = true;
        } else if (args[i] == "--cpu") {
            useCpuClock();
        } else if (optionValue(args, i, "--size", nullptr, value)) {
            if (!parseSize(value, o.request.width, o.request.height)) {
                return fail("--size takes WxH, for example 10x10");
            }
            if (o.request.width < 1 || o.request.width > generate::kMaxGenerateSize ||
                o.request.height < 1 || o.request.height > generate::kMaxGenerateSize) {
                return fail("the size " + value + " is outside 1x1..500x500");
            }
            sizeGiven = true;
        } else if (optionValue(args, i, "--rating", nullptr, value)) {
            if (!parseCount(value, 0, 6, o.request.rating)) {
                return fail("--rating takes a rating from 0 to 6");
            }
        } else if (optionValue(args, i, "--count", nullptr, value)) {
            if (!parseCount(value, 1, 1000000, o.count)) {
                return fail("--count takes a number of puzzles from 1 to 1000000");
            }
        } else if (optionValue(args, i, "--seed", nullptr, value)) {
            if (!parseSeed(value, o.request.seed)) {
                return fail("--seed takes a whole number from 0 to 18446744073709551615");
            }
            o.seedGiven = true;
        } else if (optionValue(args, i, "--jobs", "-j", value)) {
            if (!parseCount(value, 1, 256, o.threads)) {
                return fail("-j takes a number of threads from 1 to 256");
            }
        } else if (optionValue(args, i, "--output", "-o", value)) {
            if (value.empty()) return fail("-o takes a folder");
            o.folder = value;
        } else {
            return fail((args[i].size() > 1 && args[i][0] == '-' ? "unknown option "
                                                                 : "unexpected argument ") +
                        args[i]);
        }
    }
    if (!sizeGiven) return fail("generate needs --size WxH");
    return true;
}

// The files to write, checked before any is: the folder must be writable (it is made when
// missing) and no file of the series may exist already.
bool prepareOutput(const GenerateOptions& o, std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder(o.folder);
    if (!fs::exists(folder, error)) {
        if (!fs::create_directories(folder, error)) {
            printError("cannot make the folder " + o.folder + ": " + error.message());
            return false;
        }
    } else if (!fs::is_directory(folder, error)) {
        printError(o.folder + " is not a folder");
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        printError("cannot write into the folder " + o.folder);
        return false;
    }
    const std::string digits = std::to_string(std::max(o.count, 100));
    for (int i = 1; i <= o.count; ++i) {
        std::string number = std::to_string(i);
        number.insert(0, digits.size() - number.size(), '0');
        const std::string name = std::to_string(o.request.width) + "x" +
                                 std::to_string(o.request.height) + "-" +
                                 std::to_string(o.request.seed) + "-" + number + kNativeExtension;
        const fs::path path = folder / name;
        if (fs::exists(path, error)) {
            printError(path.string() + " exists already; choose another --seed or folder");
            return false;
        }
        paths.push_back(path.string());
    }
    return true;
}

Outcome generateOne(const GenerateOptions& o, size_t index, const std::string& path,
                    PuzzleState& state) {
    thread_local generate::PuzzleGenerator generator;
    generate::GenerateRequest request = o.request;
    request.seed = generate::RandomSource::derive(o.request.seed, index);
    generate::GeneratedPuzzle made;
    const int64_t t0 = preciseTickNs();
    const generate::GenerateOutcome outcome = generator.generate(request, made);
    const double ms = msSince(t0);
    Outcome out;
    out.ms = ms;
    if (outcome != generate::GenerateOutcome::kMade) {
        out.failed = true;
        out.text = path + ": no puzzle of this size with one answer the solver can finish";
        return out;
    }
    // Read and auto-solve it as the program would, and leave it: that writes the rating.
    state.fileLines = generate::nativeLinesOf(made.puzzle, -1);
    readNativeText(state, path);
    static_cast<void>(solveAndRate(state));  // the outcome is kept in `difficulty`
    if (state.difficulty.stored - Difficulty::kPendingOffset != made.rating) {
        throw std::logic_error("the rating changed between two solves of the same puzzle");
    }
    writeNativeFile(state);

    const std::string rating = std::to_string(made.rating);
    out.categories.push_back("rating " + rating);
    if (!made.ratingAsked) out.categories.push_back("nearest");
    if (o.json) {
        out.text = "{\"file\": " + jsonString(path) +
                   ", \"width\": " + std::to_string(request.width) +
                   ", \"height\": " + std::to_string(request.height) + ", \"rating\": " + rating +
                   ", \"asked\": " +
                   (o.request.rating < 0 ? std::string("null") : std::to_string(o.request.rating)) +
                   ", \"clues\": " + std::to_string(made.clues) +
                   ", \"symmetric\": " + (request.symmetric ? "true" : "false") +
                   ", \"ms\": " + formatMs(ms) + "}\n";
    } else {
        out.text = path + "  rating " + rating +
                   (made.ratingAsked
                        ? ""
                        : " (nearest reachable to " + std::to_string(o.request.rating) + ")") +
                   "  clues " + std::to_string(made.clues) + "  " + formatMs(ms) + " ms\n";
    }
    return out;
}

}  // namespace

int runGenerateCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << "usage: vexilo-cli " << kGenerateUsage << "\n";
        return 0;
    }
    GenerateOptions o;
    if (!parseGenerateOptions(args, o)) return kExitUsage;
    if (!o.seedGiven) {
        o.request.seed = (static_cast<uint64_t>(std::random_device{}()) << 32) ^
                         static_cast<uint64_t>(std::random_device{}());
        o.request.seed %= 1000000000;  // short enough to type again
        std::cerr << "vexilo-cli: seed " << o.request.seed << "\n";
    }
    std::vector<std::string> paths;
    if (!prepareOutput(o, paths)) return kExitFileError;
    const BatchTotals totals = runBatch(
        paths, o.threads, [&](const std::string& path, PuzzleState& state, BatchFrontend&) {
            // runBatch hands over the elements of `paths` themselves: their place is the
            // puzzle's number in the series, whichever thread makes it.
            const size_t index = static_cast<size_t>(&path - paths.data());
            return generateOne(o, index, path, state);
        });
    if (paths.size() > 1) std::cerr << summaryLine(paths.size(), totals) << "\n";
    return totals.failures == 0 ? 0 : 1;
}

}  // namespace vexilo::cli
