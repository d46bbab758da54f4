// The window's side of the commands for puzzles as they are shared (open_commands.h):
// "貼り付け" (Ctrl+V) hands over the clipboard's text, "URLをコピー" (Ctrl+C) puts the
// puzzle's puzz.link link there, and a file or text dropped on the window is opened too.
#pragma once

#include <QObject>
#include <QString>

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

    // Opens the puzzle that text holds, named in the caption after the kind of text.
    void openPuzzleText(const QString& text);

    // A dropped file (openDroppedFile), link or text.
    void openDropped(const QMimeData& data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TForm1& form_;
};

}  // namespace vexilo
