// TForm1, the main window: the tool column Panel1 on the left, the board area Panel2 with
// PaintBox1 and the two scroll bars. It owns the PuzzleState and shows what the core
// reports (messages, caption, repaints) as the state's Frontend. Controls and handlers
// keep the form's own names (SpeedButton5Click is the auto-solve button's click, Level01Click
// the Level0 menu item's), so the code reads against the form's layout; each handler turns
// an event into core calls.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "model/frontend.h"

class QCheckBox;
class QKeySequence;
class QFileDialog;
class QLabel;
class QMenu;
class QAction;
class QScrollBar;
class QToolButton;

namespace vexilo {

struct PuzzleState;
class ProgressKeeper;
class BoardRenderer;
class BoardPanel;
class BoardPaintBox;
class ExchangeCommands;
class NewPuzzleCommand;
class BackgroundSolve;

class TForm1 : public QWidget, public Frontend {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    PuzzleState& state() { return *state_; }

    // The open command after its dialog: writes back a pending rating of the puzzle being
    // left, loads the file by its extension and reads it. Tests open files through this.
    void openFile(const QString& path);

    // Keeps the player's progress in this folder from now on (off until called). The
    // changes of each command are handed over once the event loop goes idle, or by
    // keepProgress(); a puzzle loaded since gets its kept progress back then.
    void keepProgressIn(const QString& folder);
    void keepProgress();
    ProgressKeeper* progressKeeper() const { return progress_.get(); }

    // What SpeedButton7 ("開くⅡ") shows: the Open II dialog, modally.
    void setOpenIIDialog(std::function<void()> showDialog) {
        openIIDialog_ = std::move(showDialog);
    }

    // Tests replace the modal parts: a message hook records messages instead of showing a
    // box; the dialog hooks return the chosen path ("" for cancel) instead of showing
    // OpenDialog1 and SaveDialog1 (the save hook gets the preset file name).
    void setMessageHook(std::function<void(const QString&)> hook) {
        messageHook_ = std::move(hook);
    }
    void setOpenDialogHook(std::function<QString()> hook) { openDialogHook_ = std::move(hook); }
    void setSaveDialogHook(std::function<QString(const QString&)> hook) {
        saveDialogHook_ = std::move(hook);
    }

    // Adds an item to the open button's context menu, with a shortcut that works anywhere
    // in the window; the handler runs as the buttons' handlers do.
    QAction* addOpenMenuItem(const char* name, const QString& caption, const QKeySequence& shortcut,
                             std::function<void()> handler);
    // The same for the check button's context menu.
    QAction* addCheckMenuItem(const char* name, const QString& caption,
                              const QKeySequence& shortcut, std::function<void()> handler);

    // Paste, copy the link, drops.
    ExchangeCommands& exchangeCommands() { return *exchangeCommands_; }
    NewPuzzleCommand& newPuzzleCommand() { return *newPuzzleCommand_; }
    // What runs the solves and the other long work (runSolve).
    BackgroundSolve& backgroundSolve() { return *solves_; }

    // How often the board was asked to paint, and where the check command last put the
    // mouse pointer (PaintBox1 coordinates).
    int paintRequests() const { return paintRequests_; }
    QPoint lastPointerTarget() const { return lastPointerTarget_; }
    // The largest scroll positions the view allows (the bars' tags).
    int scrollLimitX() const { return scrollLimitX_; }
    int scrollLimitY() const { return scrollLimitY_; }

    // Frontend.
    void showMessage(const std::string& text) override;
    void setCaption(const std::string& caption) override;
    void puzzleReset() override;
    int panelWidth() const override;
    int panelHeight() const override;
    void zoomChanged() override;
    void repaintBoard() override;
    void setStepCount(int count) override;
    void setUndoEnabled(bool enabled) override;
    void setWaitCursor(bool waiting) override;
    void pointAt(int x, int y) override;
    void puzzleSolved() override;
    void runSolve(const std::function<bool()>& solve, std::atomic<bool>& cancel,
                  const std::string& text) override;

    // Controls, by their names on the form: Panel1 the tool column, Panel2 the board area,
    // PaintBox1 the board inside it.
    QWidget* Panel1;
    BoardPanel* Panel2;
    BoardPaintBox* PaintBox1;
    QScrollBar* ScrollBarX;
    QScrollBar* ScrollBarY;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton8;
    QToolButton* SpeedButton9;
    QToolButton* SpeedButton10;
    QToolButton* SpeedButton11;
    QLabel* Label1;
    QCheckBox* CheckBox1;
    QMenu* PopupMenu1;
    QAction* Level01;
    QAction* Level11;
    QAction* Level21;
    QMenu* OpenMenu;   // the open button's context menu
    QMenu* CheckMenu;  // the check button's context menu
    QAction* UniqueCheck1;
    QFileDialog* OpenDialog1;
    QFileDialog* SaveDialog1;

    int mouseArmed = 0;

    // Handlers.
    void FormCreate();
    void FormClose();
    void SpeedButton1Click();   // 記憶
    void SpeedButton2Click();   // 戻す
    void SpeedButton3Click();   // 拡大
    void SpeedButton4Click();   // 縮小
    void SpeedButton5Click();   // 自動解答
    void SpeedButton6Click();   // 開く
    void SpeedButton7Click();   // 開くⅡ
    void SpeedButton8Click();   // 保存
    void SpeedButton9Click();   // 最初
    void SpeedButton10Click();  // 正解か？
    void SpeedButton11Click();  // 一手戻す
    void Level01Click();
    void Level11Click();
    void Level21Click();
    void UniqueCheck1Click();  // 唯一解の確認
    void CheckBox1Click();
    void PaintBox1Paint(QPainter& painter);
    void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
    void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);
    void Panel2Resize();
    void ScrollBarXChange();
    void ScrollBarYChange();

    // zoomStep: lay out, show the board, paint.
    void zoomStep();
    // layoutView applied to the paint box and the scroll bars.
    void layoutView();
    // paintBoard: the visible part of the chosen picture into PaintBox1.
    void paintBoard();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void createControls();
    QToolButton* addSpeedButton(const char* name, int top, const QString& caption,
                                const QString& hint, void (TForm1::*handler)());
    void alignPanels();
    QString runOpenDialog();
    QString runSaveDialog(const QString& presetName);
    void pointTo(QPoint paintBoxPoint);
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& shortcut, std::function<void()> handler);

    std::unique_ptr<PuzzleState> state_;
    std::unique_ptr<BoardRenderer> renderer_;
    // A child of the window.
    ExchangeCommands* exchangeCommands_ = nullptr;
    NewPuzzleCommand* newPuzzleCommand_ = nullptr;
    std::unique_ptr<BackgroundSolve> solves_;
    QImage paintImage_;  // the view's pixels, reused from paint to paint

    std::function<void()> openIIDialog_;
    std::function<void(const QString&)> messageHook_;
    std::function<QString()> openDialogHook_;
    std::function<QString(const QString&)> saveDialogHook_;

    int scrollMaxX_ = 0;  // the bars' maxima: the content size
    int scrollMaxY_ = 0;
    int scrollLimitX_ = 0;  // the largest positions the view allows
    int scrollLimitY_ = 0;
    int paintRequests_ = 0;
    bool waitCursor_ = false;
    QPoint lastPointerTarget_;

    std::unique_ptr<ProgressKeeper> progress_;
    uint64_t puzzleLoads_ = 0;      // resets of the puzzle state, each one a load
    bool progressPending_ = false;  // the log or the puzzle may have changed
};

}  // namespace vexilo
