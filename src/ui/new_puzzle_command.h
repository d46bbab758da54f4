// "新しい問題..." in the open button's menu (Ctrl+N): the size and rating dialog, then a
// new puzzle made on a worker thread. After a moment a small box shows how far the work
// has come, with "中止"; the window repaints meanwhile and takes no other input. The new
// puzzle opens as a file would, rating known, under a name without ".ALC" (nothing is
// written until it is saved with "保").
#pragma once

#include <QObject>

#include "generate/puzzle_generator.h"

namespace vexilo {

class TForm1;

class NewPuzzleCommand : public QObject {
    Q_OBJECT
  public:
    explicit NewPuzzleCommand(TForm1& form);

    // The dialog, then generateAndOpen with a fresh seed.
    void run();

    // Makes the puzzle and opens it; false when cancelled or no puzzle could be made.
    bool generateAndOpen(const generate::GenerateRequest& request);

  private:
    TForm1& form_;
    generate::GenerateRequest last_;
};

}  // namespace vexilo
