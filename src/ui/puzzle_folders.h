// Where the program's file dialogs and the Open II dialog start. The bundled puzzles lie
// beside the program in the build folder, and in the data folder of an installed program
// (found relative to the executable, so that any install prefix works).
#pragma once

#include <QString>

namespace vexilo {

// The folder of the bundled puzzles, with a trailing '/': the program's own folder when it
// holds a native puzzle file; otherwise, when programFolder/installedRelative exists,
// userCopies, which receives a copy of every installed sample it lacks (the installed
// folder itself when a copy fails); otherwise the program's own folder.
//
// The program writes a new rating back into the puzzle's file when the player leaves it,
// and an installed data folder cannot be written to: so the player works on copies of
// their own, made on first use and never overwritten.
QString puzzleStartFolder(const QString& programFolder, const QString& installedRelative,
                          const QString& userCopies);

// The same for the running program: the data folder it was built for, and copies in the
// user's documents folder (~/Documents/Vexilo).
QString puzzleStartFolder();

// Where the save dialog starts: the puzzle folder when it can be written to, the user's
// home folder otherwise.
QString saveStartFolder();

}  // namespace vexilo
