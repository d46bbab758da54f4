#include "ui/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace vexilo {

namespace {

void closePopupsLeftOpen() {
    // A popup that refuses to close must not hold the loop.
    for (int tries = 0; tries < 8; ++tries) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) return;
        popup->close();
    }
}

}  // namespace

QString runFileDialog(QFileDialog& dialog) {
    const int result = dialog.exec();
    closePopupsLeftOpen();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace vexilo
