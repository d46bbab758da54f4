// The commands of the main window's tool column and the mouse play on the board.
#include <QFileDialog>
#include <QFileInfo>
#include <QScrollBar>

#include "commands/board_commands.h"
#include "commands/check_commands.h"
#include "display/mouse_play.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "model/log_commands.h"
#include "model/puzzle_state.h"
#include "solver/solve_commands.h"
#include "ui/board_widgets.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"

namespace vexilo {

namespace {

std::string pathString(const QString& path) {
    return path.toStdString();
}

}  // namespace

// ---- Files

void TForm1::SpeedButton6Click() {
    mouseArmed = 0;  // the release of a double click in the dialog is no move
    const QString path = openDialogHook_ ? openDialogHook_() : runOpenDialog();
    if (path.isEmpty()) return;
    openFile(path);
}

void TForm1::openFile(const QString& path) {
    openPuzzleFile(*state_, pathString(path));
}

QString TForm1::runOpenDialog() {
    return runFileDialog(*OpenDialog1);
}

void TForm1::SpeedButton7Click() {
    mouseArmed = 0;
    if (openIIDialog_) openIIDialog_();
}

void TForm1::SpeedButton8Click() {
    saveCommand(*state_, [this](const std::string& offeredName) {
        const QString preset = QString::fromStdString(offeredName);
        return pathString(saveDialogHook_ ? saveDialogHook_(preset) : runSaveDialog(preset));
    });
}

QString TForm1::runSaveDialog(const QString& presetName) {
    SaveDialog1->selectFile(presetName);
    for (;;) {
        const QString chosen = runFileDialog(*SaveDialog1);
        if (chosen.isEmpty()) return {};
        const QString named = QString::fromStdString(nativeSaveName(pathString(chosen)));
        // The save adds ".ALC"; a file of that name gets the dialog's overwrite question.
        if (named == chosen || !QFileInfo::exists(named)) return named;
        SaveDialog1->selectFile(named);
    }
}

// ---- Zoom

void TForm1::SpeedButton3Click() {
    zoomInCommand(*state_);
}

void TForm1::SpeedButton4Click() {
    zoomOutCommand(*state_);
}

// ---- The solver

void TForm1::SpeedButton5Click() {
    autoSolveCommand(*state_);
}

void TForm1::Level01Click() {
    levelCommand(*state_, kLevel0);
}

void TForm1::Level11Click() {
    levelCommand(*state_, kLevel1);
}

void TForm1::Level21Click() {
    levelCommand(*state_, kLevel2);
}

// ---- The move log

void TForm1::SpeedButton1Click() {
    memorise(*state_);
}

void TForm1::SpeedButton2Click() {
    restoreMemorised(*state_);
}

void TForm1::SpeedButton11Click() {
    undoOneMove(*state_);
}

void TForm1::SpeedButton9Click() {
    backToStartCommand(*state_);
}

// ---- The answer checks

void TForm1::SpeedButton10Click() {
    checkCommand(*state_);
}

void TForm1::UniqueCheck1Click() {
    uniqueCheckCommand(*state_);
}

// ---- Mouse play

void TForm1::PaintBox1MouseDown(Qt::MouseButton, int, int) {
    mouseArmed = 1;
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, int x, int y) {
    if (mouseArmed == 0) return;
    const MouseButton b = button == Qt::LeftButton    ? MouseButton::kLeft
                          : button == Qt::RightButton ? MouseButton::kRight
                                                      : MouseButton::kOther;
    beginCommand();
    playClick(*state_, b, x, y, ScrollBarX->value(), ScrollBarY->value());
}

}  // namespace vexilo
