// The window's commands for puzzles as they are shared: "貼り付け" (Ctrl+V) opens the
// puzzle held as text on the clipboard, "URLをコピー" (Ctrl+C) puts the puzzle's puzz.link
// link there, and a file or text dropped on the window opens too. Text that is no puzzle
// shows why, and the puzzle in play stays as it was.
#pragma once

#include <QObject>
#include <QString>
#include <string>

class QMimeData;

namespace vexilo {

class TForm1;

class ExchangeCommands : public QObject {
    Q_OBJECT
  public:
    // Adds the two items to the open button's menu and takes the window's drops.
    explicit ExchangeCommands(TForm1& form);

    void pasteClipboard();
    void copyLink();

    // Opens the puzzle that text holds. `name` names it in the caption (empty: after the
    // kind of text).
    void openPuzzleText(const QString& text, const std::string& name = {});

    // A puzzle file opens as the open command opens it; another file is read as text.
    void openDropped(const QMimeData& data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TForm1& form_;
};

}  // namespace vexilo
