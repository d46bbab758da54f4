// Keyboard and wheel for the main window: shortcuts for the tool column (Ctrl+O open,
// Ctrl+S save, Ctrl+Z one move back, + and - zoom), named after each button's hint; the
// arrow and Page keys scroll the board; over the board the wheel scrolls vertically,
// Shift+wheel horizontally and Ctrl+wheel zooms as "＋" and "－" do.
#pragma once

#include <QObject>

class QKeySequence;
class QScrollBar;
class QToolButton;
class QWheelEvent;

namespace vexilo {

class TForm1;

class BoardKeys : public QObject {
    Q_OBJECT
  public:
    explicit BoardKeys(TForm1& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addButtonShortcut(QToolButton* button, const QList<QKeySequence>& keys);
    void addScrollKey(const QKeySequence& key, int columns, int rows, int pages);
    // Moves a bar by `delta` pixels within the view's limit.
    void scrollBy(QScrollBar* bar, int limit, int delta);
    void scroll(int columns, int rows, int pages);
    void wheel(const QWheelEvent& event);

    TForm1& form_;
    int pendingScroll_ = 0;  // wheel angles not yet a whole notch
    int pendingZoom_ = 0;
};

}  // namespace vexilo
