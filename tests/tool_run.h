// Runs the puzzle authors' tool as a program, as an author would.
#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace numera::testing {

struct ToolRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
  QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
};

inline QString ToolPath() {
  return QStringLiteral(NUMERA_BUILD_DIR "/numera-puzzle");
}

// Run in folder, when one is given, so the paths it names are as short as
// the ones it was given.
inline ToolRun Tool(const QStringList& args, const QString& folder = {}) {
  QProcess p;
  if (!folder.isEmpty()) p.setWorkingDirectory(folder);
  p.start(ToolPath(), args);
  ToolRun r;
  if (!p.waitForFinished(60000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

}  // namespace numera::testing
