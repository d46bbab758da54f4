// The program's error texts in English and Japanese.
#include "files/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <stdexcept>

#include "files/file_errors.h"
#include "files/native_file.h"
#include "files/text_lines.h"
#include "loading/puzzle_loading.h"
#include "model/puzzle_state.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

TEST(ErrorText, EveryKindHasItsOwnTextInBothLanguagesWithEveryDetailFilledIn) {
    const std::vector<std::string> details = {"D0", "D1", "D2", "D3"};
    std::set<std::string> seen;
    for (int k = 0; k < static_cast<int>(ErrorKind::kKindCount); ++k) {
        const ErrorText error{static_cast<ErrorKind>(k), details, 0};
        const std::string english = formatErrorText(error, Language::kEnglish);
        const std::string japanese = formatErrorText(error, Language::kJapanese);
        EXPECT_EQ(english.find("error "), std::string::npos) << "no row for kind " << k;
        EXPECT_EQ(english.find('{'), std::string::npos) << english;
        EXPECT_EQ(japanese.find('{'), std::string::npos) << japanese;
        EXPECT_TRUE(japanese.ends_with("。")) << japanese;
        EXPECT_TRUE(seen.insert(english).second) << english;
        EXPECT_TRUE(seen.insert(japanese).second) << japanese;
    }
}

TEST(ErrorText, FilesFailWithTheirTypeEnglishWhatAndAJapaneseMessage) {
    testing::TestState t;
    PuzzleState& state = *t;
    state.fileLines = {"[Vexilo data] abc x   3 2", "[Start]", "[End]"};
    try {
        readNativeText(state, "x.ALC");
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "the width \"abc\" in the header is not a decimal number");
        EXPECT_EQ(errorMessage(e, Language::kJapanese),
                  "ヘッダの幅「abc」が10進数ではありません。");
    }
    try {
        loadTextLines("/nonexistent-folder/puzzle.ALC");
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), (std::string("cannot open /nonexistent-folder/puzzle.ALC: ") +
                                std::strerror(ENOENT))
                                   .c_str());
        EXPECT_EQ(errorMessage(e, Language::kJapanese),
                  "ファイル「/nonexistent-folder/puzzle.ALC」を開けません"
                  "（ファイルまたはフォルダがありません）。");
    }
    const std::runtime_error plain("plain");
    EXPECT_EQ(errorMessage(plain, Language::kJapanese), "plain");
}

}  // namespace
}  // namespace vexilo
