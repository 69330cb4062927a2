// Runs part of a test program as an ordinary user, for the tests of
// permissions: root passes every permission check, and CI runs as root.
#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace numera::testing {

inline constexpr uid_t kNobody = 65534;
// Set for a test program started again to run one row of a table.
inline constexpr char kOneRowVariable[] = "NUMERA_ONE_ROW";

struct ChildRun {
  int exitCode = -1;
  QByteArray output;
};

// Runs this test program again as nobody (setpriv, no groups), only the
// tests that match the filter, with these variables added to the
// environment. The program and the puzzle tool (NUMERA_TOOL) are copied
// where nobody may run them.
ChildRun RunAsNobody(const QString& filter, const QList<QPair<QString, QString>>& variables);

}  // namespace numera::testing
