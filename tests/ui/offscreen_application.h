// The one QApplication of the widget tests, on the offscreen platform, made on first use.
#pragma once

#include <QApplication>

namespace {

[[maybe_unused]] QApplication& offscreenApplication() {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace
