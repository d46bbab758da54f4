#include "ui/vexilo_application.h"

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>
#include <exception>

#include "files/error_text.h"

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
    loadJapaneseTranslation(*this);
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
    QMessageBox::critical(dialogParent(), applicationName(), message);
}

void VexiloApplication::setErrorReportHook(std::function<void(const QString&)> hook) {
    errorReportHook() = std::move(hook);
}

void runReported(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        VexiloApplication::reportError(windowErrorText(e));
    } catch (...) {
        VexiloApplication::reportError(QStringLiteral("不明なエラーです。"));
    }
}

QString windowErrorText(const std::exception& error) {
    return QString::fromStdString(errorMessage(error, Language::kJapanese));
}

bool loadJapaneseTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->objectName() == QLatin1String("Form1")) return top;
    }
    return nullptr;
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
