// The window's side of the kept progress: where it lives, whether it is kept at all, how
// the caption and the Open II list show it.
#pragma once

#include <QString>
#include <QStringList>

#include "progress/progress_store.h"

namespace vexilo {

// The folder of kept progress under the user's data folder, or empty when keeping is
// turned off: by the command line (wanted false) or by the environment (VEXILO_NO_PROGRESS).
QString progressFolderFor(bool wanted);

// The caption of a puzzle whose progress came back, and the caption without that note.
QString resumedCaption(const QString& caption);
QString captionWithoutResumed(const QString& caption);

// The Open II list's marks for puzzle files: "○" solved, "△" in progress, else empty. The
// files are read only when some progress is kept at all.
QStringList progressMarksOf(const ProgressStore& store, const QStringList& puzzlePaths);

}  // namespace vexilo
