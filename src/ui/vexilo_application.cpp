#include "ui/vexilo_application.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>
#include <exception>

namespace vexilo {

namespace {

std::function<void(const QString&)>& errorReportHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}

}  // namespace

VexiloApplication::VexiloApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Vexilo"));
    setFont(vexiloFont());
}

bool VexiloApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    runReported([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void VexiloApplication::reportError(const QString& message) {
    if (errorReportHook()) {
        errorReportHook()(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), applicationName(), message);
}

void VexiloApplication::setErrorReportHook(std::function<void(const QString&)> hook) {
    errorReportHook() = std::move(hook);
}

void runReported(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        VexiloApplication::reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        VexiloApplication::reportError(QStringLiteral("Unknown error"));
    }
}

QFont vexiloFont() {
    const QStringList installed = QFontDatabase::families();
    QString family;
    for (const QString& wanted :
         {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")}) {
        if (installed.contains(wanted)) {
            family = wanted;
            break;
        }
    }
    if (family.isEmpty()) {
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        if (!japanese.isEmpty()) family = japanese.first();
    }
    QFont font(family.isEmpty() ? QStringLiteral("ＭＳ Ｐゴシック") : family);
    font.setPixelSize(12);
    return font;
}

}  // namespace vexilo
