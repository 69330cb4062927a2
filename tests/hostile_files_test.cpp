// Hostile paths through everything that reads or writes files: the puzzle
// reader and writer, start-up, the settings window's OK, the tool's info and
// pack. Each gets one clear line of message, and nothing on disk changes
// that the player did not ask to change.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <tuple>

#include "app/startup.h"
#include "core/regular_file.h"
#include "core/settings_file.h"
#include "dialogs/message_box.h"
#include "files/puzzle_json.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"
#include "tests/support/unprivileged.h"
#include "tests/tool_run.h"

namespace numera {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

QByteArray Name(const QString& path) {
  return QFile::encodeName(path);
}
bool Node(const QString& path, mode_t type, dev_t dev = 0) {
  return ::mknod(Name(path).constData(), type | 0644, dev) == 0;
}
bool Link(const QString& target, const QString& path) {
  return ::symlink(Name(target).constData(), Name(path).constData()) == 0;
}
bool Mode(const QString& path, mode_t mode) {
  return ::chmod(Name(path).constData(), mode) == 0;
}

// The entry itself (not what it links to), its bytes and the names beside it.
QString Snapshot(const QString& path) {
  struct stat st {};
  if (::lstat(Name(path).constData(), &st) != 0) return QStringLiteral("nothing");
  return QString::asprintf("%o %lu %lu %lu %u ", st.st_mode, st.st_ino, st.st_rdev, st.st_nlink,
                           st.st_uid) +
         (S_ISREG(st.st_mode) ? ReadBytes(path).toHex() : QByteArray()) +
         QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden).join(' ');
}

enum class Outcome {
  kRefused,      // nothing written; the message says why
  kInPlace,      // written where the file lies, as its folder takes no new file
  kUnconfirmed,  // written, and the message says the disk may not have it yet
};

struct Hostile {
  const char* name;
  std::function<bool(const QString& path)> make;  // false where this machine does not allow it
  QString readProblem;                            // empty: it reads
  QString writeProblem;
  Outcome outcome = Outcome::kRefused;
  bool unprivileged = false;    // as an ordinary user (root passes every permission check)
  rlim_t sizeLimit = 0;         // a file size limit of this many bytes
  QString newFileProblem = {};  // why a new file beside it is not saved; empty: it is
};

bool OldFile(const QString& path) {
  WriteBytes(path, "old");
  return true;
}
bool Grow(const QString& path, int bytes) {
  WriteBytes(path, QByteArray(bytes, 'o'));
  return true;
}
bool ClosedFolder(const QString& path) {
  const QString folder = QFileInfo(path).path();
  return Mode(folder, 0755) && OldFile(path) && Mode(folder, 0555);
}
// Files of root's, made ready by the test before it gives up root (below).
bool RootsFile(const QString& path) {
  const QString made = QFileInfo(path).path() + "/../../roots/" + QFileInfo(path).fileName();
  return ::rename(Name(made).constData(), Name(path).constData()) == 0;
}

const QString kNotAFile = QStringLiteral("普通のファイルではありません（デバイスやパイプなど）。");
const QString kProtected =
    QStringLiteral("このファイルは書き込みが許可されていないので書き換えません。");
const QString kSizeLimit = QStringLiteral("ファイルの大きさの上限を超えるので書けません。");
const QString kNotAllowed = QStringLiteral("書き込みが許可されていません。");
const QString kUnconfirmed =
    QStringLiteral("フォルダの変更がディスクに届いたか確かめられませんでした。");
const Hostile kHostile[] = {
    {"fifo", [](const QString& p) { return Node(p, S_IFIFO); }, kNotAFile, kNotAFile},
    {"device", [](const QString& p) { return Node(p, S_IFCHR, makedev(1, 5)); }, kNotAFile,
     kNotAFile},
    {"folder", [](const QString& p) { return QDir().mkdir(p); },
     QStringLiteral("これはフォルダです。"), QStringLiteral("これはフォルダです。")},
    {"symlink to a device",
     [](const QString& p) { return Node(p + ".z", S_IFCHR, makedev(1, 5)) && Link(p + ".z", p); },
     kNotAFile, kNotAFile},
    {"symlink loop", [](const QString& p) { return Link(p + ".b", p) && Link(p, p + ".b"); },
     QStringLiteral("シンボリックリンクをたどれません。"),
     QStringLiteral("シンボリックリンクをたどれません。")},
    {"second hard link",
     [](const QString& p) {
       return OldFile(p) && ::link(Name(p).constData(), Name(p + ".2").constData()) == 0;
     },
     {},
     QStringLiteral("このファイルには別の名前（ハードリンク）があるので書き換えません。")},
    {"file size limit", OldFile, {}, kSizeLimit, Outcome::kRefused, false, 10, kSizeLimit},
    {"protected file",
     [](const QString& p) { return OldFile(p) && Mode(p, 0444); },
     {},
     kProtected,
     Outcome::kRefused,
     true},
    {"forbidden file in a closed folder",
     [](const QString& p) { return ClosedFolder(p) && Mode(p, 0); },
     QStringLiteral("ファイルを読み込めません。読み取りが許可されているか確かめてください。"),
     kProtected, Outcome::kRefused, true, 0, kNotAllowed},
    {"writable file in a closed folder",
     ClosedFolder,
     {},
     {},
     Outcome::kInPlace,
     true,
     0,
     kNotAllowed},
    {"writable file in a closed folder, past a size limit",
     ClosedFolder,
     {},
     kSizeLimit,
     Outcome::kRefused,
     true,
     10,
     kNotAllowed},
    // Writing in place stops at the limit, part-way through the old bytes:
    // what it covered is put back.
    {"files already past a size limit, in a closed folder",
     [](const QString& p) { return ClosedFolder(p) && Grow(p, 4000); },
     {},
     kSizeLimit,
     Outcome::kRefused,
     true,
     1000,
     kNotAllowed},
    {"someone else's writable file",
     RootsFile,
     {},
     QStringLiteral("このファイルの持ち主を保てないので書き換えません。"),
     Outcome::kRefused,
     true},
    {"folder that cannot be listed",
     [](const QString& p) { return OldFile(p) && Mode(QFileInfo(p).path(), 0333); },
     {},
     kUnconfirmed,
     Outcome::kUnconfirmed,
     true,
     0,
     kUnconfirmed},
};

// A file size limit for this process while a row runs; past it a write
// fails instead of ending the program.
struct SizeLimit {
  rlimit old{};
  explicit SizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{bytes == 0 ? old.rlim_cur : bytes, old.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  }
  ~SizeLimit() { EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &old), 0); }
};

// The tool's exit code and what it said on standard error.
QString Tool(const Hostile& h, const QStringList& args, const QString& outFile = {}) {
  QProcess p;
  if (!outFile.isEmpty()) p.setStandardOutputFile(outFile);
  p.setChildProcessModifier([&h] {
    const rlimit limit{h.sizeLimit, h.sizeLimit};
    if (h.sizeLimit > 0) ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  p.start(testing::ToolPath(), args);
  const bool exited = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit;
  return QString::number(exited ? p.exitCode() : -1) + ' ' + p.readAllStandardError();
}

bool StartUpEnds(testing::TestGame& t) {
  try {
    Main(t.g);
  } catch (const testing::ProgramEnded&) {
    return true;
  }
  return false;
}

// One row in the folder `top`, as whoever runs it.
void CheckRow(const Hostile& h, const QString& top) {
  const PuzzleFile puzzle = testing::MakePuzzle(PuzzleLayout::kVersion2, 5, {"ねこ"});
  const QString data = top + "/Data", json = top + "/ok.json";
  const QString mlt = data + "/x.mlt", dat = data + "/Data.dat", wav = data + "/sound3.wav";
  QDir().mkdir(data);
  for (int k : {0, 1, 2, 5, 9}) WriteBytes(data + QStringLiteral("/sound%1.wav").arg(k), "");
  WriteBytes(json, PuzzleToJson(puzzle));
  WriteBytes(top + "/ok.mlt", SerializePuzzle(puzzle));
  if (!h.make(wav) || !h.make(dat) || !h.make(mlt)) {
    std::printf("[  SKIPPED ] %s: not allowed on this machine\n", h.name);
    return;
  }
  const QString before = Snapshot(mlt) + Snapshot(dat) + Snapshot(wav);
  const bool ends = h.unprivileged && !h.readProblem.isEmpty();
  const bool writes = h.outcome != Outcome::kRefused;
  const QString refusal = QStringLiteral("「x.mlt」を開けません。") + h.readProblem;
  QString unsaved =  // a regular file that is refused stays, and the message says so
      QStringLiteral("「x.mlt」に保存できませんでした。") + h.writeProblem +
      (QFileInfo(mlt).isFile() ? QStringLiteral("元のファイルはそのまま残っています。")
                               : QString());
  QString unsavedSettings = QStringLiteral("設定を保存できませんでした（Data.dat）。") +
                            (h.readProblem.isEmpty() ? h.writeProblem : h.readProblem) +
                            QStringLiteral("設定は終了するまで有効です。");
  if (h.outcome == Outcome::kInPlace) unsaved = unsavedSettings = QString();
  if (h.outcome == Outcome::kUnconfirmed) {
    unsaved = QStringLiteral("「x.mlt」に保存しましたが、") + h.writeProblem;
    unsavedSettings = QStringLiteral("設定を保存しましたが、") + h.writeProblem;
  }
  testing::TestGame t;
  t.s.AppPath = top;
  t.msgs.AlwaysFirst();
  QString message, settingsError;
  {
    const SizeLimit limit(h.sizeLimit);
    PuzzleFile read;
    if (!h.readProblem.isEmpty()) {
      EXPECT_FALSE(ReadPuzzleFile(mlt, &read, &message));
      EXPECT_EQ(message, refusal);
    }
    message.clear();
    EXPECT_EQ(WritePuzzleFile(mlt, puzzle, &message), h.outcome == Outcome::kInPlace);
    EXPECT_EQ(message, unsaved);
    EXPECT_EQ(StartUpEnds(t), ends);
    EXPECT_EQ(WriteDataDat(t.s, &settingsError), unsavedSettings.isEmpty());
  }
  QStringList boxes;
  if (!h.readProblem.isEmpty())
    boxes << QStringLiteral("「Data.dat」を開けません。") + h.readProblem +
                 (ends ? QString() : QStringLiteral("初期設定で始めます。"));
  if (!h.readProblem.isEmpty() && !ends)
    boxes << QStringLiteral("「sound3.wav」を開けません。") + h.readProblem +
                 QStringLiteral("この音は鳴りません。");
  EXPECT_EQ(t.msgs.Messages(), boxes);
  EXPECT_EQ(settingsError, unsavedSettings);
  EXPECT_LE(LayoutMessageBox(settingsError, kTitle, 1, "Ok", {}, {}).ClientWidth, 1024);
  // The tool names the path as it was given.
  auto given = [&mlt](QString game) { return game.replace("「x.mlt」", "「" + mlt + "」"); };
  if (!h.readProblem.isEmpty()) {
    EXPECT_EQ(Tool(h, {"info", mlt}), "1 " + given(refusal) + "\n");
    EXPECT_EQ(Tool(h, {"pack", mlt, data + "/out.mlt"}),
              "1 「" + mlt + "」を読み込めません。" + h.readProblem + "\n");
  }
  EXPECT_EQ(Tool(h, {"pack", json, mlt}),
            unsaved.isEmpty() ? QStringLiteral("0 ") : "1 " + given(unsaved) + "\n");
  if (h.sizeLimit > 0) {  // standard output into a file that cannot grow
    EXPECT_TRUE(Tool(h, {"info", top + "/ok.mlt"}, top + "/info.json")
                    .startsWith("1 出力を書き終えられませんでした"));
    // check's report of this board is longer than the smaller limit only
    if (h.sizeLimit < 100) {
      EXPECT_TRUE(Tool(h, {"check", top + "/ok.mlt"}, top + "/check.txt")
                      .startsWith("2 出力を書き終えられませんでした"));
    }
  }
  if (!writes) {
    EXPECT_EQ(Snapshot(mlt) + Snapshot(dat) + Snapshot(wav), before);
  } else {
    // The new bytes, under the same name, with no file of the writer's left.
    EXPECT_EQ(ReadBytes(mlt), SerializePuzzle(puzzle));
    EXPECT_EQ(ReadBytes(dat), DataDatRecord(t.s, "old"));
    const QStringList beside = QDir(data).entryList(QDir::AllEntries | QDir::Hidden);
    EXPECT_TRUE(beside.filter(".numera-").isEmpty()) << beside.join(' ').toStdString();
  }
  // A new file beside it, made under the same conditions.
  {
    const SizeLimit limit(h.sizeLimit);
    message.clear();
    EXPECT_EQ(WritePuzzleFile(data + "/new.mlt", puzzle, &message), h.newFileProblem.isEmpty());
    EXPECT_EQ(message,
              h.newFileProblem.isEmpty() ? QString()
              : h.outcome == Outcome::kUnconfirmed
                  ? QStringLiteral("「new.mlt」に保存しましたが、") + h.newFileProblem
                  : QStringLiteral("「new.mlt」に保存できませんでした。") + h.newFileProblem);
  }
  Mode(data, 0777);
}

TEST(HostileFiles, EveryReaderAndWriterRefusesWithItsOneLineAndChangesNothing) {
  // Started again as an ordinary user (below), the test runs that one row.
  const QString only = qEnvironmentVariable(testing::kOneRowVariable);
  for (const Hostile& h : kHostile) {
    if (!only.isEmpty()) {
      if (only == QString::fromUtf8(h.name)) CheckRow(h, qEnvironmentVariable("NUMERA_ROW_DIR"));
      continue;
    }
    SCOPED_TRACE(h.name);
    if (h.unprivileged && ::geteuid() == 0) {
      // A folder of the ordinary user's own, and root's files beside it for
      // the row that needs someone else's.
      QTemporaryDir dir;
      const QString roots = dir.filePath("roots"), top = dir.filePath("home");
      QDir().mkdir(roots);
      QDir().mkdir(top);
      for (const char* name : {"x.mlt", "Data.dat", "sound3.wav"}) {
        WriteBytes(roots + '/' + name, "old");
        Mode(roots + '/' + name, 0666);
      }
      ASSERT_TRUE(Mode(dir.path(), 0755) && Mode(roots, 0777) &&
                  ::chown(Name(top).constData(), testing::kNobody, testing::kNobody) == 0);
      const testing::ChildRun run =
          testing::RunAsNobody(QStringLiteral("HostileFiles.EveryReaderAndWriter*"),
                               {{testing::kOneRowVariable, h.name}, {"NUMERA_ROW_DIR", top}});
      EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
      EXPECT_FALSE(run.output.contains("SKIPPED")) << run.output.toStdString();
      continue;
    }
    QTemporaryDir dir;
    QDir().mkdir(dir.filePath("roots"));  // nothing of root's here: that row is skipped
    QDir().mkdir(dir.filePath("home"));
    CheckRow(h, dir.filePath("home"));
  }
}

TEST(HostileFiles, AMissingOrFalseDataFolderIsNamedInOneLine) {
  for (const QString& problem : {QStringLiteral("Dataフォルダが見つかりません。"),
                                 QStringLiteral("「Data」がフォルダではありません。")}) {
    QTemporaryDir dir;
    if (problem.startsWith("「")) WriteBytes(dir.filePath("Data"), "a file");
    testing::TestGame t;
    t.s.AppPath = dir.path();
    t.msgs.AlwaysFirst();
    EXPECT_TRUE(StartUpEnds(t));
    EXPECT_EQ(t.msgs.Messages(),
              QStringList{problem + "ぬめらと同じ場所にDataフォルダを置いてください。"});
  }
}

// Regular files past their bound: a sound is not played, a Data.dat is read
// for its record but the settings window's OK does not rewrite it.
TEST(HostileFiles, FilesPastTheirBoundAreNeitherReadWholeNorRewritten) {
  QTemporaryDir dir;
  const QString data = dir.filePath("Data");
  QDir().mkdir(data);
  for (int k : {0, 1, 2, 5, 9}) WriteBytes(data + QStringLiteral("/sound%1.wav").arg(k), "");
  const QByteArray sound(kSoundLimit + 1, 'w'), dat = QByteArray(kDataDatLimit, '\0') + '\1';
  WriteBytes(data + "/sound3.wav", sound);
  WriteBytes(data + "/Data.dat", dat);
  testing::TestGame t;
  t.s.AppPath = dir.path();
  t.msgs.AlwaysFirst();
  EXPECT_FALSE(StartUpEnds(t));
  EXPECT_EQ(t.msgs.Messages(),
            QStringList{QStringLiteral("「sound3.wav」を開けません。%1 バイト"
                                       "より大きなファイルです。この音は鳴りません。")
                            .arg(kSoundLimit)});
  EXPECT_EQ(t.s.SoundData(3), QByteArray(1, '\0'));
  QString error;
  EXPECT_FALSE(WriteDataDat(t.s, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("%1 バイトより大きな").arg(kDataDatLimit)))
      << error.toStdString();
  EXPECT_EQ(ReadBytes(data + "/sound3.wav"), sound);
  EXPECT_EQ(ReadBytes(data + "/Data.dat"), dat);
  // The kernel's files give their size as 0 and still go on: read to the bound.
  QByteArray status;
  const FileResult proc = ReadRegularFile("/proc/self/status", 16, &status);
  EXPECT_TRUE(proc.Ok() && proc.Longer && status.size() == 16 && status.startsWith("Name:"));
}

TEST(HostileFiles, WritingThroughASymlinkKeepsTheLinkTheModeAndTheOwner) {
  QTemporaryDir dir;
  const QString real = dir.filePath("real.mlt"), link = dir.filePath("link.mlt");
  WriteBytes(real, "old");  // and one byte new: the smallest write is whole too
  // Root writes nobody's file of nobody's group; anyone else their own.
  const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
  const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
  ASSERT_TRUE(::chmod(Name(real).constData(), 0640) == 0 &&
              ::chown(Name(real).constData(), owner, group) == 0 &&
              Link("real.mlt", link));  // relative, as people make them
  ASSERT_TRUE(WriteRegularFile(link, "N").Ok());
  struct stat st {};
  EXPECT_TRUE(::stat(Name(real).constData(), &st) == 0 && QFileInfo(link).isSymLink());
  EXPECT_EQ(
      QString::asprintf("%o %u %u ", st.st_mode & 07777, st.st_uid, st.st_gid) + ReadBytes(real),
      QString::asprintf("640 %u %u N", owner, group));
  // A new file gets the modes any new file gets.
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteRegularFile(dir.filePath("new.mlt"), "N").Ok());
  ::umask(mask);
  EXPECT_TRUE(::stat(Name(dir.filePath("new.mlt")).constData(), &st) == 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

}  // namespace
}  // namespace numera
