#include "ui/exchange_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMimeData>
#include <QUrl>

#include "commands/open_commands.h"
#include "ui/main_window.h"
#include "ui/vexilo_application.h"

namespace vexilo {

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
    // Text of white space alone (in Qt's wide sense of it) is no text.
    const bool blank = text.trimmed().isEmpty();
    if (!blank) form_.mouseArmed = 0;
    pasteCommand(form_.state(), blank ? std::string() : text.toStdString());
}

void ExchangeCommands::copyLink() {
    const std::string link = puzzleLink(form_.state());
    if (!link.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(link));
}

void ExchangeCommands::openPuzzleText(const QString& text) {
    form_.mouseArmed = 0;
    vexilo::openPuzzleText(form_.state(), text.toStdString());
}

void ExchangeCommands::openDropped(const QMimeData& data) {
    if (data.hasUrls() && data.urls().first().isLocalFile()) {
        form_.mouseArmed = 0;
        openDroppedFile(form_.state(), data.urls().first().toLocalFile().toStdString());
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
