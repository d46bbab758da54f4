#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>
#include <thread>

#include "ui/background_solve.h"
#include "ui/board_widgets.h"
#include "ui/vexilo_application.h"

namespace vexilo::testing {

namespace {

// One application object for the whole test program, made before the first test: the
// program's own, whose dispatch reports errors. Never destroyed, like the one of
// offscreen_application.h: Qt's own globals go first at exit.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance() != nullptr) return;
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        static VexiloApplication* app = new VexiloApplication(argc, argv);
        (void)app;
    }
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

QString testDataPath(const QString& name) {
    return QStringLiteral(VEXILO_TEST_DATA "/ui/") + name;
}

FormFixture::FormFixture() : form_(std::make_unique<TForm1>()) {
    form_->setMessageHook([this](const QString& m) { messages << m; });
    form_->setOpenDialogHook([this] { return nextOpenPath; });
    form_->setSaveDialogHook([this](const QString& preset) {
        savePreset = preset;
        return nextSavePath;
    });
    VexiloApplication::setErrorReportHook([this](const QString& m) { errors << m; });
    form_->show();
    QApplication::processEvents();
}

FormFixture::~FormFixture() {
    form_->close();
    form_.reset();
    VexiloApplication::setErrorReportHook({});
}

QString FormFixture::copyToScratch(const QString& name) {
    const QString to = scratch_.filePath(name);
    QFile::remove(to);
    QFile::copy(testDataPath(name), to);
    QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return to;
}

void FormFixture::openTestFile(const QString& name) {
    form_->openFile(testDataPath(name));
}

void FormFixture::press(Qt::MouseButton button, int x, int y) {
    sendMouse(form_->PaintBox1, QEvent::MouseButtonPress, button, QPoint(x, y));
}

void FormFixture::release(Qt::MouseButton button, int x, int y) {
    sendMouse(form_->PaintBox1, QEvent::MouseButtonRelease, button, QPoint(x, y));
}

void FormFixture::click(Qt::MouseButton button, int x, int y) {
    press(button, x, y);
    release(button, x, y);
}

void FormFixture::clickWidget(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, centre);
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, centre);
}

QString cancelThroughProgressBox(TForm1& form, const std::function<void()>& command) {
    form.backgroundSolve().setWorkerHook([](const std::atomic<bool>& cancel) {
        while (!cancel) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    QString text;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || box->objectName() != QStringLiteral("SolveProgress")) return;
        if (text.isEmpty()) text = box->findChild<QLabel*>()->text();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &esc);
    });
    watch.start(5);
    command();
    form.backgroundSolve().setWorkerHook({});
    return text;
}

}  // namespace vexilo::testing
