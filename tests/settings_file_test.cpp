// Data.dat as the settings window writes it and start-up reads it back.
#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/settings_window.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// Runs the settings window from the menu: load, the player's clicks, "OK".
void ChooseAndPressOk(TestGame& t, const std::function<void(SettingsWindowState&)>& clicks) {
  t.win.on_settings = [&t, clicks] {
    SettingsWindowState w;
    Formain2_Load(t.g, w);
    clicks(w);
    Command1_Click(t.g, w);
  };
  設定_Click(t.g);
}

struct DataFolder {
  QTemporaryDir dir;
  DataFolder() { QDir(dir.path()).mkdir(QStringLiteral("Data")); }
  QString DataDat() const { return dir.path() + QStringLiteral("/Data/Data.dat"); }
};

TEST(SettingsFile, OkWritesWhatStartUpReadsBack) {
  DataFolder folder;
  TestGame t;
  t.s.AppPath = folder.dir.path();
  ChooseAndPressOk(t, [&](SettingsWindowState& w) {
    Option1_Click(t.g, w, 3);
    Option2_Click(t.g, w, 2);
    Option3_Click(t.g, w, 1);
    Option4_Click(t.g, w, 3);
    Check1_Click(w, 0, true);
    Check1_Click(w, 4, true);
  });

  const QByteArray bytes = ReadAll(folder.DataDat());
  ASSERT_EQ(bytes.size(), 48);
  // Little-endian 16-bit values: 3, 2, 1, 3, then the twenty switches.
  const QByteArray expected = QByteArray::fromHex(
      "0300"
      "0200"
      "0100"
      "0300"
      "0100"
      "0000"
      "0000"
      "0000"
      "0100"
      "0000"
      "0100"
      "0100"
      "0100"
      "0100"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000"
      "0000");
  EXPECT_EQ(bytes, expected);

  GameState next;
  next.AppPath = folder.dir.path();
  QStringList messages;
  ASSERT_TRUE(ReadDataDat(next, &messages));
  EXPECT_EQ(next.CrossKind, 3);
  EXPECT_EQ(next.BackgroundKind, 2);
  EXPECT_EQ(next.FontKind, 1);
  EXPECT_EQ(next.MessageMode, 3);
  EXPECT_EQ(next.SoundSwitch, t.s.SoundSwitch);
}

TEST(SettingsFile, BytesBeyondTheRecordAreKept) {
  DataFolder folder;
  QByteArray old(60, '\x5A');
  for (int i = 48; i < 60; ++i) old[i] = static_cast<char>(i);
  WriteAll(folder.DataDat(), old);

  TestGame t;
  t.s.AppPath = folder.dir.path();
  ASSERT_TRUE(ReadDataDat(t.s, nullptr));  // 0x5A5A everywhere: nothing in range
  ChooseAndPressOk(t, [&](SettingsWindowState& w) { Option1_Click(t.g, w, 1); });

  const QByteArray bytes = ReadAll(folder.DataDat());
  ASSERT_EQ(bytes.size(), 60);
  EXPECT_EQ(bytes.mid(48), old.mid(48));
  // Out-of-range values fell back to the first option; unchecked sounds are
  // 0; switches 10..19 are not the window's and keep what they were.
  EXPECT_EQ(bytes.left(8), QByteArray::fromHex("0100000000000000"));
  EXPECT_EQ(bytes.mid(8, 20), QByteArray(20, '\0'));
  EXPECT_EQ(bytes.mid(28, 20), QByteArray(20, '\x5A'));
}

TEST(SettingsFile, StoredSwitchTwoIsSavedAsZero) {
  DataFolder folder;
  QByteArray old(48, '\0');
  old[8 + 2 * 2] = 2;  // switch 2 = 2
  old[8 + 2 * 1] = 1;  // switch 1 = 1
  WriteAll(folder.DataDat(), old);
  TestGame t;
  t.s.AppPath = folder.dir.path();
  ASSERT_TRUE(ReadDataDat(t.s, nullptr));
  ChooseAndPressOk(t, [](SettingsWindowState& w) {
    EXPECT_FALSE(w.Check1[2]);
    EXPECT_TRUE(w.Check1[1]);
  });
  const QByteArray bytes = ReadAll(folder.DataDat());
  EXPECT_EQ(bytes[8 + 2 * 2], 0);
  EXPECT_EQ(bytes[8 + 2 * 1], 1);
}

TEST(SettingsFile, UnwritableFileIsReportedAndSettingsStayInMemory) {
  QTemporaryDir dir;  // no Data folder inside: nothing can be written there
  TestGame t;
  t.s.AppPath = dir.path();
  t.msgs.Press("Ok");
  ChooseAndPressOk(t, [&](SettingsWindowState& w) {
    Option2_Click(t.g, w, 1);
    Option4_Click(t.g, w, 3);
    Check1_Click(w, 4, true);
  });
  ASSERT_EQ(t.msgs.boxes.size(), 1u);
  EXPECT_EQ(t.msgs.boxes[0].Message,
            "設定を保存できませんでした（Data.dat）。"
            "書き込みが許可されているか、ディスクに空きがあるか確かめてください。"
            "設定は終了するまで有効です。");
  EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
  EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.Formain.BackColor, 0x800080);
  EXPECT_EQ(t.s.MessageMode, 3);
  EXPECT_EQ(t.s.SoundSwitch(9), 1);
  EXPECT_FALSE(QFile::exists(dir.path() + "/Data/Data.dat"));
}

TEST(SettingsFile, UnwritableFileStillLeadsIntoTheWelcomeChain) {
  QTemporaryDir dir;
  TestGame t;
  t.s.AppPath = dir.path();
  t.rng.values = {0.0, 0.0};  // label colour; the right answer is "１"
  t.msgs.Press("Ok");
  for (int i = 0; i < 11; ++i) t.msgs.Press("▼");
  t.msgs.Press("１");
  t.msgs.Press("▼");
  t.msgs.Press("▼");
  ChooseAndPressOk(t, [&](SettingsWindowState& w) { Option4_Click(t.g, w, 2); });
  const QStringList messages = t.msgs.Messages();
  ASSERT_EQ(messages.size(), 15);
  EXPECT_TRUE(messages[0].startsWith("設定を保存できませんでした"));
  EXPECT_EQ(messages[1], "しつこい世界へようこそ。");
  EXPECT_EQ(messages[14], "ではお楽しみ下さい。");
}

}  // namespace
}  // namespace numera
