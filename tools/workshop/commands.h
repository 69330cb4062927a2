// The workshop's commands of numera-puzzle: check, solve and make. Each
// takes the arguments after its name and returns the exit code.
#pragma once

#include <QStringList>

namespace numera::workshop {

// check FILE.mlt [--json]: 0 complete, 1 not, 2 a file the game refuses.
int CheckCommand(const QStringList& args);
// solve FILE.mlt [--seconds S] [--seed K] [--threads T] [--write OUT.mlt] [--json]
int SolveCommand(const QStringList& args);
// make (WORDS.txt | --dictionary) --size N [--words K] [--seed K] [--seconds S] OUT.mlt
int MakeCommand(const QStringList& args);

}  // namespace numera::workshop
