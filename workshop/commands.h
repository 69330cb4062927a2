// numera-puzzle's commands. Each takes the arguments after its name and
// returns the exit code; the command line of each is in command_line.h.
#pragma once

#include <QStringList>

namespace numera::workshop {

// info FILE.mlt: the puzzle as JSON; 1 for a file the game refuses.
int InfoCommand(const QStringList& args);
// pack SOURCE.json OUT.mlt: 1 for a source the game would refuse.
int PackCommand(const QStringList& args);
// check FILE.mlt [--json]: 0 complete, 1 not, 2 a file the game refuses.
int CheckCommand(const QStringList& args);
// solve FILE.mlt [--seconds S] [--seed K] [--threads T] [--write OUT.mlt] [--json]
int SolveCommand(const QStringList& args);
// make (WORDS.txt | --dictionary) --size N [--words K] [--seed K] [--seconds S] [--drop] OUT.mlt
int MakeCommand(const QStringList& args);

}  // namespace numera::workshop
