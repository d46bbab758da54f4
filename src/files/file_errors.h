// Errors of the puzzle files that are not the plain out-of-range and conversion errors of a
// text that ends too early or holds a header number that is not a number.
#pragma once

#include <stdexcept>
#include <string>

namespace vexilo {

// A file that cannot be opened, read, written or replaced.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file whose content the program refuses: a size it cannot hold, for instance.
class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace vexilo
