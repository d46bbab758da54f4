// The small dialog of "新しい問題...": width and height (1 to 500), the rating (0 to 6 or
// 指定なし) and a symmetric clue layout. It remembers the last choice while the program runs.
#pragma once

#include <QDialog>

#include "generate/puzzle_generator.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace vexilo {

class NewPuzzleDialog : public QDialog {
    Q_OBJECT
  public:
    NewPuzzleDialog(QWidget* parent, const generate::GenerateRequest& initial);

    // The choice made (the seed is left as it was).
    generate::GenerateRequest request() const;

  private:
    generate::GenerateRequest initial_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* rating_;
    QCheckBox* symmetric_;
};

}  // namespace vexilo
