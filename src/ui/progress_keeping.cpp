#include "ui/progress_keeping.h"

#include <QFile>
#include <QStandardPaths>

#include "progress/puzzle_key.h"

namespace vexilo {

namespace {

const QString kResumedNote = QStringLiteral("（続きから）");

}  // namespace

QString progressFolderFor(bool wanted) {
    if (!wanted || !qEnvironmentVariableIsEmpty("VEXILO_NO_PROGRESS")) return {};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/progress");
}

QString resumedCaption(const QString& caption) {
    return caption.endsWith(kResumedNote) ? caption : caption + kResumedNote;
}

QString captionWithoutResumed(const QString& caption) {
    return caption.endsWith(kResumedNote) ? caption.chopped(kResumedNote.size()) : caption;
}

QString progressMarkOf(const ProgressStore& store, const QString& puzzlePath) {
    const auto key = puzzleKeyOfNativeFile(QFile::encodeName(puzzlePath).toStdString());
    if (!key) return {};
    switch (store.status(*key)) {
        case ProgressStatus::kSolved:
            return QStringLiteral("○");
        case ProgressStatus::kInProgress:
            return QStringLiteral("△");
        case ProgressStatus::kNone:
            break;
    }
    return {};
}

}  // namespace vexilo
