// TForm2: the Open II dialog. A folder tree on the left, the native puzzle files of the
// selected folder on the right with their size and rating; OK (or a double-click on a row)
// opens the chosen puzzle in the main window, as Enter in the list does. Created once after
// the main window and shown modally; it keeps its folder between showings and reads its
// list afresh at each.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QPushButton;
class QTableWidget;

namespace vexilo {

struct PuzzleState;
class TExpViewLite;

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    // state is the main window's puzzle, which OK replaces.
    explicit TForm2(PuzzleState& state, QWidget* parent = nullptr);

    TExpViewLite* ExpViewLite1;
    QTableWidget* ListView1;  // columns: file name, size, rating, progress mark
    QPushButton* Button1;     // OK
    QPushButton* Button2;     // cancel

    // Selects the folder of the bundled puzzles, so that they show at once.
    void FormCreate();
    void ExpViewLite1Change();
    // Opens the selected row's file, writing a pending rating of the current puzzle back
    // first; then closes. Without a selected row it only closes. A file that cannot be
    // read or written is reported and the dialog stays open.
    void Button1Click();
    void Button2Click();
    // Fills ListView1 with the native puzzle files of the folder selected in the tree
    // (the current folder when none is), sorted by file name.
    void ListPuzzleFiles();

    // Shows an error below the program's own checks (a file that cannot be read or written):
    // the application's general error report unless replaced.
    std::function<void(const QString&)> errorReport;

    // Where the mark column gets the progress marks of puzzle files, by their paths; without it
    // the column stays empty. The marks are brought up to date each time the dialog shows.
    void setProgressMarks(std::function<QStringList(const QStringList&)> marksOfPaths);
    void refreshProgressMarks();

  protected:
    // Reads the list afresh each time the dialog shows.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PuzzleState& state_;
    std::function<QStringList(const QStringList&)> progressMarks_;
};

}  // namespace vexilo
