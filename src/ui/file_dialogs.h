// Showing the window's file dialogs.
#pragma once

#include <QString>

class QFileDialog;

namespace vexilo {

// Shows the dialog modally; the first chosen file, or "" for a cancel. A name typed into
// the dialog opens its completion list, which stays on screen when Enter accepts the
// dialog and would take the next click on the board for itself: it is closed here.
QString runFileDialog(QFileDialog& dialog);

}  // namespace vexilo
