// Where the program's file dialogs and the Open II dialog start. The bundled puzzles lie
// beside the program in the build folder, and in the data folder of an installed program
// (found relative to the executable, so that any install prefix works).
#pragma once

#include <QString>

namespace vexilo {

// The folder of the bundled puzzles, with a trailing '/': the program's own folder when
// it holds a native puzzle file, otherwise programFolder/installedRelative when that
// folder exists, otherwise the program's own folder.
QString puzzleStartFolder(const QString& programFolder, const QString& installedRelative);

// The same for the running program and the data folder it was built for.
QString puzzleStartFolder();

// Where the save dialog starts: the puzzle folder when it can be written to (the build
// folder), the user's home folder otherwise (an installed, read-only data folder).
QString saveStartFolder();

}  // namespace vexilo
