// The one QApplication of the widget tests, on the offscreen platform, made on first use
// and kept to the end of the process.
#pragma once

#include <QApplication>

namespace {

[[maybe_unused]] QApplication& offscreenApplication() {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        // Never destroyed: Qt's own globals (the input devices) go first at exit.
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
    }
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace
