// The command-line tool's frontend: messages go to stderr, everything else is ignored.
#pragma once

#include <iostream>
#include <string>

#include "model/frontend.h"

namespace vexilo::cli {

class ConsoleFrontend : public Frontend {
  public:
    void showMessage(const std::string& text) override {
        std::cerr << "vexilo-cli: " << text << "\n";
        ++messages;
    }
    int messages = 0;
};

}  // namespace vexilo::cli
