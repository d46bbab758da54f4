// The widget tests drive a real TForm1 under the offscreen platform. Messages and error
// reports are recorded, never shown as modal boxes.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "ui/main_window.h"

class QWidget;

namespace vexilo::testing {

// A shown main window whose messages, error reports and dialogs are the test's.
class FormFixture {
  public:
    FormFixture();
    ~FormFixture();

    TForm1& form() { return *form_; }
    PuzzleState& state() { return form_->state(); }

    // Opens a file of tests/data/ui, or a copy of it in a scratch folder (for files that a
    // test lets the program write).
    void openTestFile(const QString& name);
    QString copyToScratch(const QString& name);

    // A real press and release on PaintBox1 at (x, y), through the application's dispatch.
    void click(Qt::MouseButton button, int x, int y);
    void press(Qt::MouseButton button, int x, int y);
    void release(Qt::MouseButton button, int x, int y);
    // A real left click on a widget's centre.
    void clickWidget(QWidget* widget);

    QStringList messages;
    QStringList errors;
    QString nextOpenPath;  // what the open dialog "returns"; empty is a cancel
    QString nextSavePath;
    QString savePreset;  // the file name the save dialog was preset with

  private:
    std::unique_ptr<TForm1> form_;
    QTemporaryDir scratch_;
};

QString testDataPath(const QString& name);

// Runs a command whose long work is held until its progress box ("SolveProgress") shows
// and is cancelled with Esc; the box's text as first seen, empty when it was not seen.
QString cancelThroughProgressBox(TForm1& form, const std::function<void()>& command);

}  // namespace vexilo::testing
