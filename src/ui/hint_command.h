// The check button's menu item "ヒント" (key H) in the window (the command itself is
// hintCommand): the hint's edge outlined on the board and its reason in a small panel over
// the board; Enter accepts it while it waits.
#pragma once

#include <QObject>

#include "commands/hint_in_play.h"

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
    bool showing() const;
    const Hint& hint() const { return hints_.hint(); }

  private:
    void drop();
    void show();
    void paintOutline(QPainter& painter);

    TForm1& window_;
    QLabel* panel_;
    QShortcut* enter_;
    QShortcut* returnKey_;
    HintInPlay hints_;
};

}  // namespace vexilo
