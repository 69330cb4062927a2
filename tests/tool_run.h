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

// Run in folder, when one is given, so the paths it names are as short as
// the ones it was given; with "NAME=value" settings added to the environment;
// another program (one that runs the tool) when one is given.
inline ToolRun Tool(const QStringList& args, const QString& folder = {},
                    const QStringList& environment = {}, const QString& program = ToolPath()) {
  QProcess p;
  if (!folder.isEmpty()) p.setWorkingDirectory(folder);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& e : environment) env.insert(e.section('=', 0, 0), e.section('=', 1));
  p.setProcessEnvironment(env);
  p.start(program, args);
  ToolRun r;
  if (!p.waitForFinished(60000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

}  // namespace numera::testing
