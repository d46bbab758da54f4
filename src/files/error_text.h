// The program's own error texts in two languages. A file error is thrown as
// Explained<Base>: the exception type the callers expect (FileError, std::out_of_range, ...)
// carrying the kind of the problem and its details, with the English text as what(). The
// window shows the Japanese text (errorMessage), vexilo-cli the English one.
//
// A new error: add its kind below (before kKindCount) and one row to the table in
// error_text.cpp.
#pragma once

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace vexilo {

enum class Language { kEnglish, kJapanese };

enum class ErrorKind {
    kCannotOpen,        // {0} the path
    kCannotRead,        // {0} the path
    kReadFolder,        // {0} the path
    kCannotWrite,       // {0} the path
    kWriteFolder,       // {0} the path
    kNoTemporaryName,   // {0} the path
    kCannotReplace,     // {0} the path
    kNoText,            // the lines are empty
    kEndsAfterHeader,   // a lone header line
    kEndsWithoutEnd,    // {0} the number of lines, {1} the end marker
    kNotANumber,        // {0} the header field, {1} its text
    kBlankNumber,       // {0} the header field
    kWidthOutside,      // {0} the width, {1} the largest
    kSizeOutside,       // {0} the file name, {1} width, {2} height, {3} the largest
    kSlzSizeOutside,    // {0} width, {1} height, {2} the largest
    kSlzNoLine,         // an .SLZ file without lines
    kNoCells,           // {0} width, {1} height
    kReadNotAFile,      // {0} the path
    kWriteNotAFile,     // {0} the path
    kFileTooLarge,      // {0} the path, {1} its size in bytes, {2} the largest
    kReadOnly,          // {0} the path
    kProgressTooLarge,  // {0} the path, {1} its size in bytes, {2} the largest
    kKindCount,         // keep last
};

struct ErrorText {
    ErrorKind kind;
    std::vector<std::string> args;
    int systemError = 0;  // the errno value behind it, 0 for none
};

// The text of an error; a system error is added as its reason.
std::string formatErrorText(const ErrorText& error, Language language);

// The details an Explained exception carries.
class ExplainedError {
  public:
    explicit ExplainedError(ErrorText text) : text_(std::move(text)) {}
    virtual ~ExplainedError() = default;
    const ErrorText& errorText() const { return text_; }

  private:
    ErrorText text_;
};

template <class Base>
class Explained : public Base, public ExplainedError {
  public:
    explicit Explained(ErrorText text)
        : Base(formatErrorText(text, Language::kEnglish)), ExplainedError(std::move(text)) {}
    Explained(ErrorKind kind, std::vector<std::string> args, int systemError = 0)
        : Explained(ErrorText{kind, std::move(args), systemError}) {}
};

// The message of any exception: an Explained one in the language asked, any other its
// what().
std::string errorMessage(const std::exception& error, Language language);

}  // namespace vexilo
