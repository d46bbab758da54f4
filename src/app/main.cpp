// The desktop program: the application, the main window, the message loop.
#include <exception>

#include "ui/main_window.h"
#include "ui/vexilo_application.h"

int main(int argc, char** argv) {
    vexilo::VexiloApplication app(argc, argv);
    try {
        vexilo::TForm1 form1;
        form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        vexilo::VexiloApplication::reportError(QString::fromUtf8(e.what()));
        return 1;
    }
}
