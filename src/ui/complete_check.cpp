// The check button's menu item "唯一解の確認": how many answers the puzzle has, by the
// complete solver. With several, the pointer goes to the first edge on which two answers
// differ, as the check command points at a fault. The player's position and history stay
// as they are.
#include <QScrollBar>

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "display/fault_view.h"
#include "model/puzzle_state.h"
#include "ui/board_widgets.h"
#include "ui/main_window.h"

namespace vexilo {

void TForm1::UniqueCheck1Click() {
    if (state_->W() == 0) return;
    const complete::LoopPuzzle puzzle = complete::loopPuzzleOf(*state_);
    complete::CompleteSolver solver;
    setWaitCursor(true);
    const complete::CompleteResult result = solver.solve(puzzle);
    setWaitCursor(false);
    if (result.solutions == 0) showMessage("解はありません。");
    if (result.solutions == 1) showMessage("解は一つです。");
    if (result.solutions < 2) return;
    showMessage("解が複数あります。");
    const complete::LatticePoint d = complete::firstDifference(result.first, result.second);
    const FaultView f = faultView((d.x + 1) / 2, (d.y + 1) / 2, state_->zoom, PaintBox1->width(),
                                  PaintBox1->height(), scrollMaxX_, scrollMaxY_);
    ScrollBarX->setValue(f.scrollX);
    ScrollBarY->setValue(f.scrollY);
    pointTo(QPoint(f.imageX - ScrollBarX->value(), f.imageY - ScrollBarY->value()));
}

}  // namespace vexilo
