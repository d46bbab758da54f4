#include "ui/main_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include "display/board_renderer.h"
#include "display/fault_view.h"
#include "display/paint_board.h"
#include "display/view_layout.h"
#include "files/open_save.h"
#include "files/puzzle_formats.h"
#include "model/puzzle_state.h"
#include "model/reset.h"
#include "progress/progress_keeper.h"
#include "ui/background_solve.h"
#include "ui/board_keys.h"
#include "ui/board_widgets.h"
#include "ui/exchange_commands.h"
#include "ui/hint_command.h"
#include "ui/new_puzzle_command.h"
#include "ui/progress_keeping.h"
#include "ui/puzzle_folders.h"
#include "ui/vexilo_application.h"

namespace vexilo {

namespace {

constexpr int kToolColumnWidth = 41;
// The window's outer size is 417 x 395; with its borders and title bar that leaves a
// client area of 409 x 368: the tool column and a square board panel of 368 x 368.
constexpr int kClientWidth = 409;
constexpr int kClientHeight = 368;
// The window shrinks no further than the whole tool column and a little of the board.
constexpr int kMinimumBoardWidth = 64;
constexpr int kToolColumnMargin = 8;

// "name(*.EXT) (*.EXT)": the name shows the pattern, the part in brackets filters.
QString formatFilter(const PuzzleFormatEntry& entry) {
    const QString pattern = QStringLiteral("*") + QString::fromUtf8(entry.extension);
    return QString::fromUtf8(entry.dialogName) + "(" + pattern + ") (" + pattern + ")";
}

// All puzzle files first ("データファイル(*.ALC;*.SLZ;...) (*.ALC *.SLZ ...)"), then each format.
QStringList openFilters() {
    QStringList patterns;
    QStringList filters;
    for (const PuzzleFormatEntry& entry : kPuzzleFormats) {
        patterns << QStringLiteral("*") + QString::fromUtf8(entry.extension);
        filters << formatFilter(entry);
    }
    filters.prepend(QStringLiteral("データファイル(") + patterns.join(';') + ") (" +
                    patterns.join(' ') + ")");
    return filters;
}

QStringList saveFilters() {
    return {formatFilter(kPuzzleFormats[0])};  // the native format, the only one written
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vexilo"));
    resize(kClientWidth, kClientHeight);
    createControls();
    setMinimumSize(kToolColumnWidth + kMinimumBoardWidth,
                   CheckBox1->geometry().bottom() + kToolColumnMargin);
    state_ = std::make_unique<PuzzleState>(*this);
    renderer_ = std::make_unique<BoardRenderer>(state_->plainBitmap, state_->colourBitmap);
    state_->canvas = renderer_.get();
    exchangeCommands_ = new ExchangeCommands(*this);
    newPuzzleCommand_ = new NewPuzzleCommand(*this);
    solves_ = std::make_unique<BackgroundSolve>(
        this, [this](const std::string& text) { showMessage(text); });
    new BoardKeys(*this);
    FormCreate();
}

TForm1::~TForm1() = default;

QToolButton* TForm1::addSpeedButton(const char* name, int top, const QString& caption,
                                    const QString& hint, void (TForm1::*handler)()) {
    auto* b = new QToolButton(Panel1);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(8, top, 23, 22);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, handler] {
        beginCommand();
        runReported([&] { (this->*handler)(); });
    });
    return b;
}

void TForm1::createControls() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    static_cast<QFrame*>(Panel1)->setFrameStyle(QFrame::Panel | QFrame::Raised);

    SpeedButton6 = addSpeedButton("SpeedButton6", 8, "開", "開く", &TForm1::SpeedButton6Click);
    SpeedButton7 = addSpeedButton("SpeedButton7", 32, "Ⅱ", "開くⅡ", &TForm1::SpeedButton7Click);
    SpeedButton8 = addSpeedButton("SpeedButton8", 64, "保", "保存", &TForm1::SpeedButton8Click);
    SpeedButton3 = addSpeedButton("SpeedButton3", 96, "＋", "拡大", &TForm1::SpeedButton3Click);
    SpeedButton4 = addSpeedButton("SpeedButton4", 120, "－", "縮小", &TForm1::SpeedButton4Click);
    SpeedButton5 =
        addSpeedButton("SpeedButton5", 152, "解", "自動解答", &TForm1::SpeedButton5Click);
    SpeedButton10 =
        addSpeedButton("SpeedButton10", 176, "検", "正解か？", &TForm1::SpeedButton10Click);
    SpeedButton11 =
        addSpeedButton("SpeedButton11", 208, "戻", "一手戻す", &TForm1::SpeedButton11Click);
    Label1 = new QLabel(QStringLiteral("0"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 232, 24, 12);
    Label1->setAlignment(Qt::AlignCenter);
    SpeedButton1 = addSpeedButton("SpeedButton1", 248, "記", "記憶", &TForm1::SpeedButton1Click);
    SpeedButton2 = addSpeedButton("SpeedButton2", 272, "再", "戻す", &TForm1::SpeedButton2Click);
    SpeedButton9 = addSpeedButton("SpeedButton9", 304, "初", "最初", &TForm1::SpeedButton9Click);
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(8, 344, 24, 17);
    CheckBox1->setToolTip(QStringLiteral("色"));
    CheckBox1->setFocusPolicy(Qt::NoFocus);
    connect(CheckBox1, &QCheckBox::clicked, this,
            [this] { runReported([this] { CheckBox1Click(); }); });

    // The auto-solve button's context menu.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto addLevel = [this](const char* name, const char* caption, void (TForm1::*handler)()) {
        QAction* item = PopupMenu1->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, handler] {
            beginCommand();
            runReported([&] { (this->*handler)(); });
        });
        return item;
    };
    Level01 = addLevel("Level01", "Level0", &TForm1::Level01Click);
    Level11 = addLevel("Level11", "Level1", &TForm1::Level11Click);
    Level21 = addLevel("Level21", "Level2", &TForm1::Level21Click);
    SpeedButton5->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SpeedButton5, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(SpeedButton5->mapToGlobal(at)); });

    // The open button's context menu; the commands that belong there add their items.
    OpenMenu = new QMenu(this);
    OpenMenu->setObjectName(QStringLiteral("OpenMenu"));
    SpeedButton6->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SpeedButton6, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { OpenMenu->popup(SpeedButton6->mapToGlobal(at)); });

    // The check button's context menu.
    CheckMenu = new QMenu(this);
    CheckMenu->setObjectName(QStringLiteral("CheckMenu"));
    SpeedButton10->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SpeedButton10, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { CheckMenu->popup(SpeedButton10->mapToGlobal(at)); });
    UniqueCheck1 = addCheckMenuItem("UniqueCheck1", QStringLiteral("唯一解の確認"),
                                    QKeySequence(Qt::CTRL | Qt::Key_U),
                                    [this] { UniqueCheck1Click(); });

    Panel2 = new BoardPanel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->onResize = [this] { Panel2Resize(); };
    PaintBox1 = new BoardPaintBox(Panel2);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->move(0, 0);
    PaintBox1->onPaint = [this](QPainter& p) { PaintBox1Paint(p); };
    PaintBox1->onMouseDown = [this](Qt::MouseButton b, int x, int y) {
        PaintBox1MouseDown(b, x, y);
    };
    PaintBox1->onMouseUp = [this](Qt::MouseButton b, int x, int y) { PaintBox1MouseUp(b, x, y); };
    ScrollBarX = new QScrollBar(Qt::Horizontal, Panel2);
    ScrollBarX->setObjectName(QStringLiteral("ScrollBarX"));
    ScrollBarY = new QScrollBar(Qt::Vertical, Panel2);
    ScrollBarY->setObjectName(QStringLiteral("ScrollBarY"));
    for (QScrollBar* bar : {ScrollBarX, ScrollBarY}) {
        bar->hide();
        bar->setRange(0, 0);
        bar->setPageStep(0);
        bar->setSingleStep(8);
        bar->setFocusPolicy(Qt::NoFocus);
    }
    connect(ScrollBarX, &QScrollBar::valueChanged, this,
            [this] { runReported([this] { ScrollBarXChange(); }); });
    connect(ScrollBarY, &QScrollBar::valueChanged, this,
            [this] { runReported([this] { ScrollBarYChange(); }); });

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setNameFilters(openFilters());
    OpenDialog1->setSizeGripEnabled(true);
    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters(saveFilters());
    SaveDialog1->setDefaultSuffix(QStringLiteral("ALC"));
    SaveDialog1->setSizeGripEnabled(true);

    new HintCommand(*this);
    alignPanels();
}

QAction* TForm1::addOpenMenuItem(const char* name, const QString& caption,
                                 const QKeySequence& shortcut, std::function<void()> handler) {
    return addMenuItem(OpenMenu, name, caption, shortcut, std::move(handler));
}

QAction* TForm1::addCheckMenuItem(const char* name, const QString& caption,
                                  const QKeySequence& shortcut, std::function<void()> handler) {
    return addMenuItem(CheckMenu, name, caption, shortcut, std::move(handler));
}

QAction* TForm1::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut, std::function<void()> handler) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    addAction(item);  // the shortcut works while the menu is closed
    connect(item, &QAction::triggered, this,
            [handler = std::move(handler)] { runReported(handler); });
    return item;
}

void TForm1::alignPanels() {
    Panel1->setGeometry(0, 0, kToolColumnWidth, height());
    Panel2->setGeometry(kToolColumnWidth, 0, std::max(0, width() - kToolColumnWidth), height());
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    alignPanels();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    runReported([this] { FormClose(); });
}

// ---- Start and end

void TForm1::FormCreate() {
    // Until its first use, each file dialog starts in the folder of the bundled puzzles.
    OpenDialog1->setDirectory(puzzleStartFolder());
    SaveDialog1->setDirectory(saveStartFolder());
    resetPuzzle(*state_);
}

void TForm1::FormClose() {
    writeBackPendingRating(*state_);
    keepProgress();
    if (progress_) progress_->flush();
}

// ---- Kept progress

void TForm1::keepProgressIn(const QString& folder) {
    if (!progress_) {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { runReported([this] { keepProgress(); }); });
    }
    progress_ = std::make_unique<ProgressKeeper>(QFile::encodeName(folder).toStdString());
    progressPending_ = true;
}

void TForm1::keepProgress() {
    // Not while a solve runs (the wait cursor is on): its worker uses the puzzle state.
    if (!progress_ || !progressPending_ || waitCursor_) return;
    progressPending_ = false;
    if (progress_->afterCommand(*state_, puzzleLoads_)) {
        setWindowTitle(resumedCaption(windowTitle()));
    } else if (state_->mainBoard->writePos == 1) {
        setWindowTitle(captionWithoutResumed(windowTitle()));  // back at the start
    }
}

// ---- Frontend

void TForm1::showMessage(const std::string& text) {
    if (solves_->deferMessage(text)) return;
    const QString message = QString::fromStdString(text);
    if (messageHook_) {
        messageHook_(message);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Vexilo"), message);
}

void TForm1::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TForm1::puzzleReset() {
    ++puzzleLoads_;
    progressPending_ = true;
    PaintBox1->hide();
    PaintBox1->resize(1, 1);
    layoutView();
}

int TForm1::panelWidth() const {
    return Panel2->width();
}
int TForm1::panelHeight() const {
    return Panel2->height();
}

void TForm1::zoomChanged() {
    zoomStep();
}

void TForm1::repaintBoard() {
    progressPending_ = true;
    paintBoard();
}

void TForm1::setStepCount(int count) {
    progressPending_ = true;
    Label1->setText(QString::number(count));
}

void TForm1::setUndoEnabled(bool enabled) {
    SpeedButton11->setEnabled(enabled);
}

void TForm1::setWaitCursor(bool waiting) {
    if (waiting == waitCursor_) return;
    waitCursor_ = waiting;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TForm1::pointAt(int x, int y) {
    const FaultView f = faultView(x, y, state_->zoom, PaintBox1->width(), PaintBox1->height(),
                                  scrollMaxX_, scrollMaxY_);
    ScrollBarX->setValue(f.scrollX);
    ScrollBarY->setValue(f.scrollY);
    pointTo(QPoint(f.imageX - ScrollBarX->value(), f.imageY - ScrollBarY->value()));
}

void TForm1::puzzleSolved() {
    if (progress_) progress_->markSolved();
}

void TForm1::runSolve(const std::function<bool()>& solve, std::atomic<bool>& cancel,
                      const std::string& text) {
    solves_->run(solve, cancel, text);
}

// ---- View

void TForm1::zoomStep() {
    layoutView();
    PaintBox1->show();
    paintBoard();
}

void TForm1::layoutView() {
    const QSignalBlocker blockX(ScrollBarX);
    const QSignalBlocker blockY(ScrollBarY);
    ScrollBarX->hide();
    ScrollBarY->hide();
    ScrollBarX->setValue(0);
    ScrollBarY->setValue(0);
    const ViewLayout v = vexilo::layoutView(state_->W(), state_->H(), state_->zoom, Panel2->width(),
                                            Panel2->height());
    if (!v.sized) return;
    PaintBox1->resize(v.paintWidth, v.paintHeight);
    auto apply = [](QScrollBar* bar, const ScrollBarSetup& s) {
        // The bar moves up to max - page size + 1, one more than the view allows; the
        // change handlers take a position past the limit back.
        bar->setRange(0, std::max(0, s.max - s.pageSize + 1));
        bar->setPageStep(s.largeChange);
        bar->setGeometry(s.left, s.top, s.width, s.height);
        bar->setVisible(s.visible);
    };
    apply(ScrollBarX, v.barX);
    apply(ScrollBarY, v.barY);
    scrollMaxX_ = v.barX.max;
    scrollMaxY_ = v.barY.max;
    scrollLimitX_ = v.barX.limit;
    scrollLimitY_ = v.barY.limit;
}

void TForm1::paintBoard() {
    if (state_->W() == 0) return;
    ++paintRequests_;
    PaintBox1->update();
}

void TForm1::PaintBox1Paint(QPainter& painter) {
    if (state_->W() == 0) return;
    const int w = PaintBox1->width();
    const int h = PaintBox1->height();
    if (paintImage_.width() != w || paintImage_.height() != h) {
        paintImage_ = QImage(w, h, QImage::Format_RGB32);
    }
    const PixelBuffer& source = CheckBox1->isChecked() ? state_->colourBitmap : state_->plainBitmap;
    vexilo::paintBoard(source, ScrollBarX->value(), ScrollBarY->value(), state_->zoom, w, h,
                       reinterpret_cast<uint32_t*>(paintImage_.bits()),
                       paintImage_.bytesPerLine() / 4, PixelOrder::kOpaqueArgb);
    painter.drawImage(0, 0, paintImage_);
}

void TForm1::Panel2Resize() {
    layoutView();
}

void TForm1::ScrollBarXChange() {
    if (ScrollBarX->value() > scrollLimitX_) {
        const QSignalBlocker block(ScrollBarX);
        ScrollBarX->setValue(scrollLimitX_);
    }
    paintBoard();
}

void TForm1::ScrollBarYChange() {
    if (ScrollBarY->value() > scrollLimitY_) {
        const QSignalBlocker block(ScrollBarY);
        ScrollBarY->setValue(scrollLimitY_);
    }
    paintBoard();
}

void TForm1::CheckBox1Click() {
    paintBoard();
}

void TForm1::pointTo(QPoint paintBoxPoint) {
    lastPointerTarget_ = paintBoxPoint;
    QCursor::setPos(PaintBox1->mapToGlobal(paintBoxPoint));
}

}  // namespace vexilo
