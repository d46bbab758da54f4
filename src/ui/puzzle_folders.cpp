#include "ui/puzzle_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/puzzle_formats.h"

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
    const QString pattern = QStringLiteral("*") + QString::fromUtf8(kNativeExtension);
    return !QDir(folder).entryList({pattern}, QDir::Files).isEmpty();
}

// Copies the files of `from` that `to` lacks; false when one cannot be copied.
bool copyMissingFiles(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) return false;
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        const QString target = to + QLatin1Char('/') + name;
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(from + QLatin1Char('/') + name, target)) return false;
    }
    return true;
}

}  // namespace

QString puzzleStartFolder(const QString& programFolder, const QString& installedRelative,
                          const QString& userCopies) {
    if (holdsNativePuzzle(programFolder)) return withSlash(programFolder);
    const QString installed = QDir::cleanPath(programFolder + QLatin1Char('/') + installedRelative);
    if (!QFileInfo(installed).isDir()) return withSlash(programFolder);
    if (!userCopies.isEmpty() && copyMissingFiles(installed, userCopies)) {
        return withSlash(userCopies);
    }
    return withSlash(installed);
}

QString puzzleStartFolder() {
    // A visible folder: Open II's tree leaves hidden ones out.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return puzzleStartFolder(
        QCoreApplication::applicationDirPath(), QStringLiteral(VEXILO_SAMPLES_FROM_BINDIR),
        documents.isEmpty() ? QString() : documents + QStringLiteral("/Vexilo"));
}

QString saveStartFolder() {
    const QString puzzles = puzzleStartFolder();
    if (QFileInfo(puzzles).isWritable()) return puzzles;
    return withSlash(QDir::homePath());
}

}  // namespace vexilo
