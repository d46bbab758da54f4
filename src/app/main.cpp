// The desktop program: the command line, the application, the main window, then the Open II
// dialog (hidden until "開くⅡ" shows it), the puzzle named on the command line, and the
// message loop.
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "progress/progress_keeper.h"
#include "ui/form2.h"
#include "ui/main_window.h"
#include "ui/progress_keeping.h"
#include "ui/vexilo_application.h"

#ifndef VEXILO_APP_ID
#define VEXILO_APP_ID "vexilo"
#endif

namespace {

constexpr int kExitUsage = 2;

std::vector<std::string> argumentsAfterName(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
    // Help and version first: they need no display.
    const vexilo::CommandLine early = vexilo::parseCommandLine(argumentsAfterName(argc, argv));
    if (early.action == vexilo::CommandLine::Action::kHelp) {
        vexilo::printHelp(std::cout);
        return 0;
    }
    if (early.action == vexilo::CommandLine::Action::kVersion) {
        vexilo::printVersion(std::cout);
        return 0;
    }

    vexilo::VexiloApplication app(argc, argv);
    // The installed desktop entry and icon; a program run from its build folder finds no
    // icon and keeps the default.
    app.setDesktopFileName(QStringLiteral(VEXILO_APP_ID));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("vexilo")));
    const vexilo::CommandLine line = vexilo::parseCommandLine(argumentsAfterName(argc, argv));
    if (line.action == vexilo::CommandLine::Action::kUsageError) {
        std::cerr << "vexilo: " << line.error << " (see vexilo --help)\n";
        return kExitUsage;
    }
    try {
        vexilo::TForm1 form1;
        vexilo::TForm2 form2(form1.state(), &form1);
        form1.setOpenIIDialog([&form2] { form2.exec(); });
        if (const QString folder = vexilo::progressFolderFor(line.keepProgress);
            !folder.isEmpty()) {
            form1.keepProgressIn(folder);
            form2.setProgressMarks([&form1](const QStringList& paths) {
                return vexilo::progressMarksOf(form1.progressKeeper()->store(), paths);
            });
        }
        form1.show();
        if (!line.file.empty()) {
            // Once the window is laid out, so that the zoom fits its board panel; an error
            // goes to the general error report like that of the open command.
            const QString path = QFileInfo(QString::fromStdString(line.file)).absoluteFilePath();
            QTimer::singleShot(0, &form1, [&form1, path] {
                vexilo::runReported([&form1, &path] { form1.openFile(path); });
            });
        }
        return app.exec();
    } catch (const std::exception& e) {
        vexilo::VexiloApplication::reportError(vexilo::windowErrorText(e));
        return 1;
    }
}
