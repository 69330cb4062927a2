// File names as the player meets them: names that are not UTF-8, names as
// long as the file system allows, names typed into the open dialog, and
// what a killed save leaves behind.
#include "core/file_names.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <utility>

#include "app/startup.h"
#include "core/regular_file.h"
#include "dialogs/message_box.h"
#include "files/open_puzzle.h"
#include "files/save_puzzle.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"

namespace numera::testing {
namespace {

// The raw bytes of a name inside a folder, with no text in between.
QString At(const QTemporaryDir& dir, const QByteArray& name) {
  return dir.path() + '/' + QFile::decodeName(name);
}
void WriteRaw(const QTemporaryDir& dir, const QByteArray& name, const QByteArray& bytes) {
  const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
  FILE* f = std::fopen(path.constData(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), f);
  std::fclose(f);
}
QByteArray ReadRaw(const QTemporaryDir& dir, const QByteArray& name) {
  QFile f;
  const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
  FILE* c = std::fopen(path.constData(), "rb");
  if (!c) return {};
  f.open(c, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
  return f.readAll();
}

// A name that is not UTF-8 beside the valid name that shows as the same
// text: neither the command line nor the dialog may open one for the other,
// and the valid one, named by its own bytes, opens and saves as itself.
TEST(FileNames, ANameThatIsNotUtf8NeverOpensOrOverwritesItsTwin) {
  QTemporaryDir dir;
  const QByteArray raw("\xff.mlt"), twin("\xef\xbf\xbd.mlt");
  const QByteArray mine = SerializePuzzle(MakePuzzle(PuzzleLayout::kVersion2, 5, {"ねこ"}));
  const QByteArray theirs = SerializePuzzle(MakePuzzle(PuzzleLayout::kVersion2, 6, {"いぬ"}));
  WriteRaw(dir, raw, mine);
  WriteRaw(dir, twin, theirs);
  const QString refusal =
      UnrepresentableNameMessage(QStringLiteral("\uFFFD.mlt"));  // the name as it shows

  TestGame t;
  t.msgs.AlwaysFirst();
  EXPECT_FALSE(OpenPuzzleArgument(t.g, QFile::encodeName(dir.path()) + '/' + raw));
  t.files.result = OpenFileResult{At(dir, twin), QStringLiteral("\uFFFD.mlt")};
  ファイルを開く_Click(t.g);  // the dialog cannot tell which of the two was meant
  EXPECT_EQ(t.msgs.Messages(), (QStringList{refusal, refusal}));
  EXPECT_EQ(t.s.WordCount, 0);
  EXPECT_TRUE(t.s.Formain.Text1.isEmpty());

  ASSERT_TRUE(OpenPuzzleArgument(t.g, QFile::encodeName(dir.path()) + '/' + twin));
  EXPECT_EQ(t.s.Words(1), QStringLiteral("いぬ"));
  t.Place(1, 0, 0, 0);
  t.s.MessageMode = 1;
  上書き保存する_Click(t.g);
  EXPECT_EQ(ReadRaw(dir, raw), mine);
  EXPECT_NE(ReadRaw(dir, twin), theirs);
  // Alone in its folder, the valid name opens from the dialog too.
  QTemporaryDir alone;
  WriteRaw(alone, twin, theirs);
  t.files.result = OpenFileResult{At(alone, twin), QStringLiteral("\uFFFD.mlt")};
  t.msgs.boxes.clear();
  ファイルを開く_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), QStringList());
  EXPECT_EQ(t.s.BoardSize, 6);
}

// Every name the file system takes can be saved (the temporary name is
// short whatever the name), and a box that names a long one still fits
// the smallest screen.
TEST(FileNames, NamesUpToTheLongestAreSavedAndShownShortenedInTheMiddle) {
  QTemporaryDir dir;
  const QString longest = QString(251, 'a') + ".mlt";
  const PuzzleFile puzzle = MakePuzzle(PuzzleLayout::kVersion2, 5, {"ねこ"});
  QString message;
  EXPECT_TRUE(WritePuzzleFile(dir.filePath(longest), puzzle, &message)) << message.toStdString();
  PuzzleFile back;
  EXPECT_TRUE(ReadPuzzleFile(dir.filePath(longest), &back, &message));
  EXPECT_EQ(back, puzzle);

  const QString tooLong = QString(300, 'b') + ".mlt";
  EXPECT_FALSE(WritePuzzleFile(dir.filePath(tooLong), puzzle, &message));
  const QString shown = ShownFileName(tooLong);
  EXPECT_EQ(shown.size(), kLongestShownName);
  EXPECT_TRUE(shown.startsWith("bbb") && shown.endsWith("b.mlt") && shown.contains(u'…'));
  EXPECT_EQ(message,
            QStringLiteral("「%1」に保存できませんでした。ファイル名が長すぎます。").arg(shown));
  for (const QString& name : {longest, tooLong}) {
    EXPECT_FALSE(ReadPuzzleFile(dir.filePath(name + "x"), &back, &message));
    EXPECT_LE(LayoutMessageBox(message, kTitle, 1, "Ok", {}, {}).ClientWidth, 1024);
  }
  EXPECT_EQ(ShownFileName(dir.filePath(QString(kLongestShownName, 'c'))),
            QString(kLongestShownName, 'c'));
}

TEST(FileNames, ATypedNameOpensAsTypedWhenItExistsElseWithTheExtension) {
  QTemporaryDir dir;
  WriteBytes(dir.filePath("abc"), "x");
  const std::pair<const char*, const char*> rows[] = {
      {"abc", "abc"},            // exists as typed
      {"kanji1", "kanji1.mlt"},  // does not: the puzzle of that name
      {"kanji1.mlt", "kanji1.mlt"},
      {"OLD.MLT", "OLD.MLT"},
      {"a.b", "a.b.mlt"},
  };
  for (const auto& [typed, meant] : rows)
    EXPECT_EQ(TypedFileName(dir.filePath(typed), "mlt"), dir.filePath(meant)) << typed;
}

// The names a save really makes in its folder, as the folder sees them.
QStringList MadeWhileSaving(const QString& folder) {
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ::inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE);
  EXPECT_TRUE(WriteRegularFile(folder + "/x.mlt", "new").Ok());
  alignas(inotify_event) char events[4096];
  const ssize_t n = ::read(watch, events, sizeof events);
  QStringList made;
  for (ssize_t at = 0; at < n;) {
    const auto* e = reinterpret_cast<const inotify_event*>(events + at);
    made << QString::fromUtf8(e->name);
    at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
  }
  ::close(watch);
  return made;
}

// Temporary files of a save that was killed are the game's own to clear
// at start-up: its pattern, its user, its age; nothing else.
TEST(FileNames, StartUpRemovesOnlyItsOwnStaleTemporaryFiles) {
  QTemporaryDir dir;
  const QStringList made = MadeWhileSaving(dir.path());
  ASSERT_EQ(made.size(), 1);
  EXPECT_TRUE(IsTemporaryName(made[0].toUtf8())) << made[0].toStdString();
  QDir().mkdir(dir.filePath("Data"));
  const char* const names[] = {".numera-0a1b2c3d", "Data/.numera-zz9yy8xx", ".numera-fresh001",
                               ".numera-ABCDEFGH", "x.numera-0a1b2c3d",     ".numera-0a1b2c3"};
  for (const char* name : names) {
    WriteBytes(dir.filePath(name), "half a puzzle");
    const struct timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
    if (QString(name) != ".numera-fresh001")
      ::utimensat(AT_FDCWD, QFile::encodeName(dir.filePath(name)).constData(), times, 0);
  }
  TestGame t;
  t.s.AppPath = dir.path();
  Main(t.g);
  QStringList left;
  for (const char* name : names)
    if (QFileInfo::exists(dir.filePath(name))) left << name;
  EXPECT_EQ(left, (QStringList{".numera-fresh001", ".numera-ABCDEFGH", "x.numera-0a1b2c3d",
                               ".numera-0a1b2c3"}));
}

}  // namespace
}  // namespace numera::testing
