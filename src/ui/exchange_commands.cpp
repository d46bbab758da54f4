#include "ui/exchange_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMimeData>
#include <QUrl>

#include "exchange/puzz_link.h"
#include "exchange/puzzle_import.h"
#include "files/puzzle_formats.h"
#include "files/text_lines.h"
#include "model/puzzle_state.h"
#include "ui/main_window.h"
#include "ui/vexilo_application.h"

namespace vexilo {

namespace {

const char* problemText(ExchangeProblem problem) {
    switch (problem) {
        case ExchangeProblem::kNotRecognised:
            return "問題として読めません。";
        case ExchangeProblem::kOtherGenre:
            return "スリザーリンクの問題ではありません。";
        case ExchangeProblem::kOtherGridType:
            return "正方形の盤面ではありません。";
        case ExchangeProblem::kSize:
            return "盤面の大きさは1～500です。";
        case ExchangeProblem::kTruncated:
            return "問題のデータが途中で切れています。";
        case ExchangeProblem::kTooLong:
            return "問題のデータが盤面より長すぎます。";
        case ExchangeProblem::kBadCharacter:
            return "問題のデータに読めない文字があります。";
        case ExchangeProblem::kClueFour:
            return "数字の4は使えません。";
    }
    return "問題として読めません。";
}

}  // namespace

ExchangeCommands::ExchangeCommands(TForm1& form) : QObject(&form), form_(form) {
    form.addOpenMenuItem("PasteItem", QStringLiteral("貼り付け"), QKeySequence::Paste,
                         [this] { pasteClipboard(); });
    form.addOpenMenuItem("CopyLinkItem", QStringLiteral("URLをコピー"), QKeySequence::Copy,
                         [this] { copyLink(); });
    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

void ExchangeCommands::pasteClipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        form_.showMessage("クリップボードに問題がありません。");
        return;
    }
    openPuzzleText(text);
}

void ExchangeCommands::copyLink() {
    if (form_.state().W() == 0) return;
    const std::string link = writePuzzLink(cluesOf(form_.state()));
    QGuiApplication::clipboard()->setText(QString::fromStdString(link));
}

void ExchangeCommands::openPuzzleText(const QString& text, const std::string& name) {
    form_.mouseArmed = 0;
    ImportedPuzzle puzzle;
    try {
        puzzle = importPuzzleText(text.toStdString());
    } catch (const ExchangeError& e) {
        form_.showMessage(problemText(e.problem()));
        return;
    }
    openImportedPuzzle(form_.state(), puzzle, name.empty() ? puzzleNameOf(puzzle.source) : name);
    if (puzzle.unknownClues > 0) form_.showMessage("「.」の数字は空欄として読みました。");
}

void ExchangeCommands::openDropped(const QMimeData& data) {
    if (data.hasUrls() && data.urls().first().isLocalFile()) {
        const QString path = data.urls().first().toLocalFile();
        const std::string file = path.toStdString();
        if (isPuzzleFileName(file)) {  // other files hold shared text, if anything
            form_.mouseArmed = 0;
            form_.openFile(path);
            return;
        }
        openPuzzleText(QString::fromStdString(readWholeFile(file)), puzzleNameOf(file));
        return;
    }
    if (data.hasUrls()) {
        openPuzzleText(data.urls().first().toString());
    } else if (data.hasText()) {
        openPuzzleText(data.text());
    }
}

bool ExchangeCommands::eventFilter(QObject* watched, QEvent* event) {
    // Nothing drops in while a modal box (a solve's progress, a dialog) has the window.
    if (watched != &form_ || QApplication::activeModalWidget() != nullptr) return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasUrls() || drag->mimeData()->hasText()) {
            drag->acceptProposedAction();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        runReported([&] { openDropped(*drop->mimeData()); });
        return true;
    }
    return false;
}

}  // namespace vexilo
