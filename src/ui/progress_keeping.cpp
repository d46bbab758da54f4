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

QStringList progressMarksOf(const ProgressStore& store, const QStringList& puzzlePaths) {
    QStringList marks;
    const bool anyKept = store.keepsAny();
    for (const QString& path : puzzlePaths) {
        const auto key =
            anyKept ? puzzleKeyOfNativeFile(QFile::encodeName(path).toStdString()) : std::nullopt;
        const ProgressStatus status = key ? store.status(*key) : ProgressStatus::kNone;
        marks << (status == ProgressStatus::kSolved       ? QStringLiteral("○")
                  : status == ProgressStatus::kInProgress ? QStringLiteral("△")
                                                          : QString());
    }
    return marks;
}

}  // namespace vexilo
