// The check button's menu item "ヒント" (key H): the first mistake or the next deduction
// for the player's position, its edge outlined on the board and its reason in a small
// panel over the board. The same command again, or Enter, draws a hinted deduction as an
// ordinary move, so undo takes it back; until then position and history stay as they are.
// A hint is dropped as soon as the position changes.
#pragma once

#include <QObject>
#include <string>

#include "hints/hint.h"

class QLabel;
class QPainter;
class QShortcut;

namespace vexilo {

class TForm1;

class HintCommand : public QObject {
    Q_OBJECT
  public:
    // Adds the menu item and the keys to the window and outlines hints on its board.
    explicit HintCommand(TForm1& window);

    void hintOrAccept();
    // A hint waits for the position it was given for.
    bool showing() const { return pending_ && stillValid(); }
    const Hint& hint() const { return hint_; }

  private:
    bool stillValid() const;
    void drop();
    void accept();
    void paintOutline(QPainter& painter);

    TForm1& window_;
    QLabel* panel_;
    QShortcut* enter_;
    QShortcut* returnKey_;
    Hint hint_;
    bool pending_ = false;
    // The position the hint is for: the puzzle, and the log by its end.
    std::string fileName_;
    int width_ = 0;
    int height_ = 0;
    int writePos_ = 0;
    int stepCount_ = 0;
    int lastEntry_ = 0;
};

}  // namespace vexilo
