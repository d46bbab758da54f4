// The application object. Its event dispatch is the one place where an exception that
// escapes a command is caught: the general error report shows its message in an error box
// and the program goes on with whatever state the command had reached.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

namespace vexilo {

class VexiloApplication : public QApplication {
    Q_OBJECT
  public:
    VexiloApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error box with the message, or hands it to the report hook.
    static void reportError(const QString& message);

    // Tests record error reports instead of showing a modal box; an empty hook restores
    // the box.
    static void setErrorReportHook(std::function<void(const QString&)> hook);
};

// Runs a handler and reports an exception that escapes it. The window's handlers run
// through this, so that an exception never unwinds through the toolkit's own frames (it
// is built without exception support, and would skip their clean-up); the application's
// dispatch remains the net for everything else.
void runReported(const std::function<void()>& handler);

// Installs Qt's own Japanese texts (qtbase_ja) for its dialogs and buttons; false when the
// translation is not installed.
bool loadJapaneseTranslation(QCoreApplication& app);

// The window a message box opens over: the modal dialog in front, else the active window,
// else the main window.
QWidget* dialogParent();

// The text the window shows for an error: the program's own errors in Japanese.
QString windowErrorText(const std::exception& error);

// The program's user-interface font: "ＭＳ Ｐゴシック" at 12 pixels, else IPAPGothic, else
// any font that writes Japanese.
QFont vexiloFont();

}  // namespace vexilo
