// Hostile paths through everything that reads or writes files: the puzzle
// reader and writer, start-up, the settings window's OK, the tool's info and
// pack. Each gets one clear line of message, and nothing on disk changes.
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

#include "core/regular_file.h"
#include "core/settings_file.h"
#include "core/startup.h"
#include "dialogs/message_box.h"
#include "files/puzzle_json.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"

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

// The entry itself (not what it links to) and the names beside it.
QString Snapshot(const QString& path) {
  struct stat st {};
  if (::lstat(Name(path).constData(), &st) != 0) return QStringLiteral("nothing");
  return QString::asprintf("%o %lu %lu %lu %u ", st.st_mode, st.st_ino, st.st_rdev, st.st_nlink,
                           st.st_uid) +
         (S_ISREG(st.st_mode) ? ReadBytes(path).toHex() : QByteArray()) +
         QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden).join(' ');
}

struct Hostile {
  const char* name;
  std::function<bool(const QString& path)> make;  // false where this machine does not allow it
  QString readProblem;                            // empty: it reads
  QString writeProblem;
  bool nobody = false;   // as nobody (root passes every permission check)
  rlim_t sizeLimit = 0;  // a disk that fills up after this many bytes of a file
};

bool OldFile(const QString& path) {
  WriteBytes(path, "old");
  return true;
}
const QString kNotAFile = QStringLiteral("普通のファイルではありません（デバイスやパイプなど）。");
const QString kLoop = QStringLiteral("シンボリックリンクをたどれません。");
const QString kFolder = QStringLiteral("これはフォルダです。");
const Hostile kHostile[] = {
    {"fifo", [](const QString& p) { return Node(p, S_IFIFO); }, kNotAFile, kNotAFile},
    {"device", [](const QString& p) { return Node(p, S_IFCHR, makedev(1, 5)); }, kNotAFile,
     kNotAFile},
    {"folder", [](const QString& p) { return QDir().mkdir(p); }, kFolder, kFolder},
    {"symlink to a device",
     [](const QString& p) { return Node(p + ".z", S_IFCHR, makedev(1, 5)) && Link(p + ".z", p); },
     kNotAFile, kNotAFile},
    {"symlink loop", [](const QString& p) { return Link(p + ".b", p) && Link(p, p + ".b"); }, kLoop,
     kLoop},
    {"forbidden file in a closed folder",
     [](const QString& p) {
       return OldFile(p) && ::chmod(Name(p).constData(), 0) == 0 &&
              ::chmod(Name(QFileInfo(p).path()).constData(), 0555) == 0;
     },
     QStringLiteral("ファイルを読み込めません。読み取りが許可されているか確かめてください。"),
     QStringLiteral("書き込みが許可されていません。"), true},
    {"second hard link",
     [](const QString& p) {
       return OldFile(p) && ::link(Name(p).constData(), Name(p + ".2").constData()) == 0;
     },
     {},
     QStringLiteral("このファイルには別の名前（ハードリンク）があるので書き換えません。")},
    {"someone else's file",
     [](const QString& p) { return ::geteuid() == 0 && OldFile(p); },
     {},
     QStringLiteral("このファイルの持ち主を保てないので書き換えません。"),
     true},
    {"full disk", OldFile, {}, QStringLiteral("ディスクに空きがありません。"), false, 10},
};

// What a row asks of this process: nobody's rights, a file size limit.
struct Conditions {
  const Hostile& h;
  rlimit old{};
  explicit Conditions(const Hostile& row) : h(row) {
    std::signal(SIGXFSZ, SIG_IGN);  // past the limit a write fails instead
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{h.sizeLimit, old.rlim_max};
    EXPECT_TRUE((h.sizeLimit == 0 || ::setrlimit(RLIMIT_FSIZE, &small) == 0) &&
                (!h.nobody || ::geteuid() != 0 || ::seteuid(65534) == 0));
  }
  ~Conditions() {
    EXPECT_TRUE(::setrlimit(RLIMIT_FSIZE, &old) == 0 &&
                (!h.nobody || ::getuid() != 0 || ::seteuid(0) == 0));
  }
};

// The tool's exit code and what it said on standard error.
QString Tool(const Hostile& h, const QStringList& args, const QString& outFile = {}) {
  QProcess p;
  if (!outFile.isEmpty()) p.setStandardOutputFile(outFile);
  p.setChildProcessModifier([&h] {
    const rlimit limit{h.sizeLimit, h.sizeLimit};
    if (h.sizeLimit > 0) ::setrlimit(RLIMIT_FSIZE, &limit);
    if (h.nobody && ::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(99);
  });
  p.start(QStringLiteral(NUMERA_BUILD_DIR "/numera-puzzle"), args);
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

TEST(HostileFiles, EveryReaderAndWriterRefusesWithItsOneLineAndChangesNothing) {
  const PuzzleFile puzzle = testing::MakePuzzle(PuzzleLayout::kVersion2, 5, {"ねこ"});
  for (const Hostile& h : kHostile) {
    SCOPED_TRACE(h.name);
    QTemporaryDir dir;
    const QString data = dir.filePath("Data"), json = dir.filePath("ok.json");
    const QString mlt = data + "/x.mlt", dat = data + "/Data.dat", wav = data + "/sound3.wav";
    QDir().mkdir(data);
    for (const QString& f : {dir.path(), data}) ::chmod(Name(f).constData(), 0777);
    for (int k : {0, 1, 2, 5, 9}) WriteBytes(data + QStringLiteral("/sound%1.wav").arg(k), "");
    WriteBytes(json, PuzzleToJson(puzzle));
    WriteBytes(dir.filePath("ok.mlt"), SerializePuzzle(puzzle));
    if (!h.make(wav) || !h.make(dat) || !h.make(mlt)) {
      std::printf("[  SKIPPED ] %s: not allowed on this machine\n", h.name);
      continue;
    }
    const QString before = Snapshot(mlt) + Snapshot(dat) + Snapshot(wav);
    const bool ends = h.nobody && !h.readProblem.isEmpty();
    const QString refusal = QStringLiteral("「x.mlt」を開けません。") + h.readProblem;
    const QString unsaved =  // a regular file that is refused stays, and the message says so
        QStringLiteral("「x.mlt」に保存できませんでした。") + h.writeProblem +
        (QFileInfo(mlt).isFile() ? QStringLiteral("元のファイルはそのまま残っています。")
                                 : QString());
    testing::TestGame t;
    t.s.AppPath = dir.path();
    t.msgs.AlwaysFirst();
    QString message, settingsError;
    {
      const Conditions under(h);
      PuzzleFile read;
      if (!h.readProblem.isEmpty()) {
        EXPECT_FALSE(ReadPuzzleFile(mlt, &read, &message));
        EXPECT_EQ(message, refusal);
      }
      EXPECT_FALSE(WritePuzzleFile(mlt, puzzle, &message));
      EXPECT_EQ(message, unsaved);
      EXPECT_EQ(StartUpEnds(t), ends);
      EXPECT_FALSE(WriteDataDat(t.s, &settingsError));
    }
    QStringList boxes;
    if (!h.readProblem.isEmpty())
      boxes << QStringLiteral("「Data.dat」を開けません。") + h.readProblem +
                   (ends ? QString() : QStringLiteral("初期設定で始めます。"));
    if (!h.readProblem.isEmpty() && !ends)
      boxes << QStringLiteral("「sound3.wav」を開けません。") + h.readProblem +
                   QStringLiteral("この音は鳴りません。");
    EXPECT_EQ(t.msgs.Messages(), boxes);
    EXPECT_EQ(settingsError, QStringLiteral("設定を保存できませんでした（Data.dat）。") +
                                 (h.readProblem.isEmpty() ? h.writeProblem : h.readProblem) +
                                 QStringLiteral("設定は終了するまで有効です。"));
    EXPECT_LE(LayoutMessageBox(settingsError, kTitle, 1, "Ok", {}, {}).ClientWidth, 1024);
    // The tool names the path as it was given.
    auto given = [&mlt](QString game) { return game.replace("「x.mlt」", "「" + mlt + "」"); };
    if (!h.readProblem.isEmpty()) {
      EXPECT_EQ(Tool(h, {"info", mlt}), "1 " + given(refusal) + "\n");
      EXPECT_EQ(Tool(h, {"pack", mlt, data + "/out.mlt"}),
                "1 「" + mlt + "」を読み込めません。" + h.readProblem + "\n");
    }
    EXPECT_EQ(Tool(h, {"pack", json, mlt}), "1 " + given(unsaved) + "\n");
    if (h.sizeLimit > 0) {  // standard output into a file that cannot grow
      EXPECT_TRUE(Tool(h, {"info", dir.filePath("ok.mlt")}, dir.filePath("info.json"))
                      .startsWith("1 出力を書き終えられませんでした"));
      EXPECT_TRUE(Tool(h, {"check", dir.filePath("ok.mlt")}, dir.filePath("check.txt"))
                      .startsWith("2 出力を書き終えられませんでした"));
    }
    EXPECT_EQ(Snapshot(mlt) + Snapshot(dat) + Snapshot(wav), before);
    ::chmod(Name(data).constData(), 0777);
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
  const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();  // root writes nobody's file
  ASSERT_TRUE(::chmod(Name(real).constData(), 0640) == 0 &&
              ::chown(Name(real).constData(), owner, static_cast<gid_t>(-1)) == 0 &&
              Link("real.mlt", link));  // relative, as people make them
  ASSERT_TRUE(WriteRegularFile(link, "N").Ok());
  struct stat st {};
  EXPECT_TRUE(::stat(Name(real).constData(), &st) == 0 && QFileInfo(link).isSymLink());
  EXPECT_EQ(QString::asprintf("%o %u ", st.st_mode & 07777, st.st_uid) + ReadBytes(real),
            QString::asprintf("640 %u N", owner));
}

TEST(HostileFiles, PointsThatCouldCarryTheScoreOutOfThirtyTwoBitsAndWideWordsAreRefused) {
  const QString tooMuch =
      QStringLiteral("点数が大きすぎます（得点と各単語の点数の絶対値の合計は 2147483647 まで）。");
  const std::tuple<Long, Long, Long, Integer, QString> rows[] = {
      {2147483647, 2147483647, 0, 2, tooMuch},
      {2147483640, 7, 0, 2, {}},
      {-2147483647 - 1, -1, 0, 2, tooMuch},
      {2147483000, 0, 648, 2, tooMuch},
      {10, 20, -2147483000, 30, {}},
      {10, 20, 0, 31, QStringLiteral("最も長い単語の文字数が 31 です（30 までのはずです）。")},
  };
  for (const auto& [points1, points2, score, longest, problem] : rows) {
    PuzzleFile p = testing::MakePuzzle(PuzzleLayout::kVersion2, 5, {"ねこ", "いぬ"});
    std::tie(p.Entries[0].Points, p.Entries[1].Points, p.Score, p.MaxWordLength) =
        std::tie(points1, points2, score, longest);
    EXPECT_EQ(PuzzleProblem(p), problem) << points1;  // what the reader and writer check
    QString why;
    EXPECT_EQ(PuzzleFromJson(PuzzleToJson(p), &p, &why), problem.isEmpty());  // pack
    EXPECT_EQ(why, problem);
  }
}

}  // namespace
}  // namespace numera
