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

// The tool of this build; a test run as another user gets a copy it may run.
inline QString ToolPath() {
  return qEnvironmentVariable("NUMERA_TOOL", QStringLiteral(NUMERA_BUILD_DIR "/numera-puzzle"));
}

inline ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(ToolPath(), args);
  ToolRun r;
  if (!p.waitForFinished(60000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

}  // namespace numera::testing
