#include "tests/support/unprivileged.h"

#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace numera::testing {

namespace {

// The copies, made once for the whole test program.
const QTemporaryDir& Copies() {
  static QTemporaryDir dir;
  static const bool made = [] {
    const bool copied =
        QFile::copy(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                    dir.filePath("tests")) &&
        QFile::copy(QStringLiteral(NUMERA_BUILD_DIR "/numera-puzzle"), dir.filePath("tool"));
    for (const QString& f : {dir.path(), dir.filePath("tests"), dir.filePath("tool")})
      ::chmod(QFile::encodeName(f).constData(), 0755);
    return copied;
  }();
  (void)made;
  return dir;
}

}  // namespace

ChildRun RunAsNobody(const QString& filter, const QList<QPair<QString, QString>>& variables) {
  const QTemporaryDir& copies = Copies();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("NUMERA_TOOL"), copies.filePath("tool"));
  env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
  for (const auto& [name, value] : variables) env.insert(name, value);
  QProcess p;
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(QStringLiteral("setpriv"),
          {QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNobody),
           QStringLiteral("--clear-groups"), copies.filePath("tests"),
           QStringLiteral("--gtest_filter=") + filter});
  ChildRun run;
  if (!p.waitForFinished(120000)) return run;
  run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  run.output = p.readAll();
  return run;
}

}  // namespace numera::testing
