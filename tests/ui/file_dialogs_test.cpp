// The file dialogs leave nothing on screen that would take the next click.
#include "ui/file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCompleter>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "ui_test_support.h"

namespace vexilo {
namespace {

void typeInto(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

TEST(FileDialogs, ANameTypedAndEnteredLeavesNoCompletionListOpen) {
    testing::FormFixture f;  // the application
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("typed.ALC"));
    QFile(path).open(QIODevice::WriteOnly);
    QFileDialog dialog;
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(folder.path());
    bool listShown = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        for (const QChar c : QStringLiteral("typed.ALC")) typeInto(edit, c.unicode(), c);
        QElapsedTimer waited;
        waited.start();
        while (QApplication::activePopupWidget() == nullptr && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        listShown = QApplication::activePopupWidget() != nullptr;
        typeInto(edit, Qt::Key_Return);
    });
    QTimer::singleShot(10000, &dialog, &QDialog::reject);  // never hang
    EXPECT_EQ(runFileDialog(dialog), path);
    EXPECT_TRUE(listShown);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
}  // namespace vexilo
