// The desktop program: the application, the main window, then the Open II dialog (hidden
// until "開くⅡ" shows it), and the message loop.
#include <exception>

#include "ui/form2.h"
#include "ui/main_window.h"
#include "ui/vexilo_application.h"

int main(int argc, char** argv) {
    vexilo::VexiloApplication app(argc, argv);
    try {
        vexilo::TForm1 form1;
        vexilo::TForm2 form2(form1.state(), &form1);
        form1.setOpenIIDialog([&form2] { form2.exec(); });
        form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        vexilo::VexiloApplication::reportError(vexilo::windowErrorText(e));
        return 1;
    }
}
