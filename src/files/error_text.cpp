#include "files/error_text.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace vexilo {

namespace {

struct TextRow {
    ErrorKind kind;
    const char* english;
    const char* japanese;
};

// {n} is the n-th detail. A system error's reason follows the English text after ": " and
// stands in brackets before the Japanese full stop.
constexpr TextRow kTexts[] = {
    {ErrorKind::kCannotOpen, "cannot open {0}", "ファイル「{0}」を開けません"},
    {ErrorKind::kCannotRead, "cannot read {0}", "ファイル「{0}」を読めません"},
    {ErrorKind::kReadFolder, "cannot read {0}: it is a folder",
     "「{0}」はフォルダなので読めません"},
    {ErrorKind::kCannotWrite, "cannot write {0}", "ファイル「{0}」に書き込めません"},
    {ErrorKind::kWriteFolder, "cannot write {0}: it is a folder",
     "「{0}」はフォルダなので書き込めません"},
    {ErrorKind::kNoTemporaryName, "cannot write {0}: no free temporary name",
     "ファイル「{0}」に書き込めません（一時ファイルの名前が空いていません）"},
    {ErrorKind::kCannotReplace, "cannot replace {0}", "ファイル「{0}」を置き換えられません"},
    {ErrorKind::kNoText,
     "there is no text to read: the file is empty or was not recognised as a puzzle file",
     "読み込むテキストがありません。ファイルが空か、パズルのファイルとして認識できませんでした"},
    {ErrorKind::kEndsAfterHeader, "the puzzle text ends after its header line",
     "パズルのテキストがヘッダ行だけで終わっています"},
    {ErrorKind::kEndsWithoutEnd, "the puzzle text ends after line {0} without an \"{1}\" line",
     "パズルのテキストが {0} 行目で終わっています（\"{1}\" の行がありません）"},
    {ErrorKind::kNotANumber, "the {0} \"{1}\" in the header is not a decimal number",
     "ヘッダの{0}「{1}」が10進数ではありません"},
    {ErrorKind::kBlankNumber, "the {0} in the header is blank, not a decimal number",
     "ヘッダの{0}が空欄です"},
    {ErrorKind::kWidthOutside, "the width {0} in the header is outside 0..{1}",
     "ヘッダの幅 {0} が 0～{1} の範囲外です"},
    {ErrorKind::kSizeOutside, "{0}: the puzzle size {1} x {2} is outside 1..{3}",
     "「{0}」のパズルのサイズ {1} x {2} が 1～{3} の範囲外です"},
    {ErrorKind::kSlzSizeOutside, "the .SLZ file: the puzzle size {0} x {1} is outside 1..{2}",
     ".SLZ ファイルのパズルのサイズ {0} x {1} が 1～{2} の範囲外です"},
    {ErrorKind::kSlzNoLine, "the .SLZ file holds no line", ".SLZ ファイルに行がありません"},
    {ErrorKind::kNoCells, "the puzzle has no cells ({0} x {1})",
     "パズルにマスがありません（{0} x {1}）"},
    {ErrorKind::kReadNotAFile, "cannot read {0}: it is not a regular file (a pipe or a device)",
     "「{0}」は通常のファイルではない（パイプやデバイスなど）ため読めません"},
    {ErrorKind::kWriteNotAFile, "cannot write {0}: it is not a regular file",
     "「{0}」は通常のファイルではないため書き込めません"},
    {ErrorKind::kFileTooLarge,
     "cannot read {0}: it holds {1} bytes, more than a puzzle file can ({2})",
     "ファイル「{0}」は {1} バイトあり、パズルのファイルとしては大きすぎます（上限 {2} バイト）"},
    {ErrorKind::kReadOnly, "cannot write {0}: the file is read-only",
     "ファイル「{0}」は読み取り専用なので書き込みません"},
    {ErrorKind::kProgressTooLarge,
     "cannot read {0}: it holds {1} bytes, more than a progress file can ({2})",
     "ファイル「{0}」は {1} バイトあり、途中経過のファイルとしては大きすぎます（上限 {2} バイト）"},
};

// The header fields as the messages name them.
constexpr std::pair<std::string_view, const char*> kJapaneseFieldNames[] = {
    {"width", "幅"}, {"height", "高さ"}, {"rating", "難易度"}};

const char* japaneseReason(int systemError) {
    switch (systemError) {
        case ENOENT:
            return "ファイルまたはフォルダがありません";
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case EISDIR:
            return "フォルダです";
        case ENOTDIR:
            return "パスの途中にフォルダでないものがあります";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EEXIST:
            return "同じ名前のものがあります";
        default:
            return nullptr;
    }
}

std::string fillIn(std::string_view pattern, const std::vector<std::string>& args) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool slot = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                          pattern[i + 1] >= '0' && pattern[i + 1] <= '9';
        if (!slot) {
            text += pattern[i];
            continue;
        }
        const size_t n = static_cast<size_t>(pattern[i + 1] - '0');
        if (n < args.size()) text += args[n];
        i += 2;
    }
    return text;
}

}  // namespace

std::string formatErrorText(const ErrorText& error, Language language) {
    const TextRow* row = nullptr;
    for (const TextRow& r : kTexts) {
        if (r.kind == error.kind) row = &r;
    }
    if (row == nullptr) return "error " + std::to_string(static_cast<int>(error.kind));
    const bool japanese = language == Language::kJapanese;
    std::vector<std::string> args = error.args;
    const bool namesField =
        error.kind == ErrorKind::kNotANumber || error.kind == ErrorKind::kBlankNumber;
    if (japanese && namesField && !args.empty()) {
        for (const auto& [english, name] : kJapaneseFieldNames) {
            if (args[0] == english) args[0] = name;
        }
    }
    std::string text = fillIn(japanese ? row->japanese : row->english, args);
    if (error.systemError != 0) {
        const char* reason = japanese ? japaneseReason(error.systemError) : nullptr;
        const std::string why = reason ? reason : std::strerror(error.systemError);
        text += japanese ? "（" + why + "）" : ": " + why;
    }
    if (japanese) text += "。";
    return text;
}

std::string errorMessage(const std::exception& error, Language language) {
    if (const auto* explained = dynamic_cast<const ExplainedError*>(&error)) {
        return formatErrorText(explained->errorText(), language);
    }
    return error.what();
}

}  // namespace vexilo
