#include "ui/puzzle_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef VEXILO_SAMPLES_FROM_BINDIR
#define VEXILO_SAMPLES_FROM_BINDIR "../share/vexilo/samples"
#endif

namespace vexilo {

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool holdsNativePuzzle(const QString& folder) {
    // Name filters match in any case unless told otherwise.
    return !QDir(folder).entryList({QStringLiteral("*.ALC")}, QDir::Files).isEmpty();
}

}  // namespace

QString puzzleStartFolder(const QString& programFolder, const QString& installedRelative) {
    if (holdsNativePuzzle(programFolder)) return withSlash(programFolder);
    const QString installed = QDir::cleanPath(programFolder + QLatin1Char('/') + installedRelative);
    if (QFileInfo(installed).isDir()) return withSlash(installed);
    return withSlash(programFolder);
}

QString puzzleStartFolder() {
    return puzzleStartFolder(QCoreApplication::applicationDirPath(),
                             QStringLiteral(VEXILO_SAMPLES_FROM_BINDIR));
}

QString saveStartFolder() {
    const QString puzzles = puzzleStartFolder();
    if (QFileInfo(puzzles).isWritable()) return puzzles;
    return withSlash(QDir::homePath());
}

}  // namespace vexilo
