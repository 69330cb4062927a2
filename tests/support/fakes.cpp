#include "tests/support/fakes.h"

#include <cmath>
#include <string>

#include "core/draw_board.h"
#include "play/placement.h"
#include "play/word_selection.h"

namespace numera::testing {

int ScriptedMessageHost::Show(const MessageBoxRequest& box) {
  if (box.Count < 1 || box.Count > 3 || box.Count != box.Captions.size())
    throw std::logic_error("a box of " + std::to_string(box.Count) + " buttons and " +
                           std::to_string(box.Captions.size()) + " captions");
  boxes.push_back(box);
  if (log) *log << QStringLiteral("box");
  if (on_show) on_show(box);
  if (answers_.empty()) {
    if (fallback_ == kNone) throw UnansweredBox(box);
    return fallback_ == kFirst ? 0 : box.Count - 1;
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  const int index =
      a.Caption.isEmpty() ? a.Index : static_cast<int>(box.Captions.indexOf(a.Caption));
  if (index < 0 || index >= box.Count) {
    throw std::runtime_error("no button \"" + a.Caption.toStdString() + "\" (" +
                             std::to_string(a.Index) + ") in: " + box.Message.toStdString() + " [" +
                             box.Captions.join("|").toStdString() + "]");
  }
  return index;
}

QStringList ScriptedMessageHost::Messages() const {
  QStringList out;
  for (const auto& b : boxes) out << b.Message;
  return out;
}

void RecordingSound::Play(const QByteArray& wav) {
  played.push_back(wav);
  if (!log) return;
  *log << (wav.startsWith("slot ") ? QStringLiteral("sound ") + QString::fromLatin1(wav)
                                   : QStringLiteral("sound of %1 bytes").arg(wav.size()));
}

void FakePump::ProcessEvents(int maxWaitMs) {
  ++calls;
  const int ms = maxWaitMs > 0 ? maxWaitMs : 1;
  if (log) *log << QStringLiteral("events for %1 ms").arg(ms);
  if (on_events) on_events();
  clock_.now += static_cast<std::uint32_t>(ms);
}

std::int16_t FakeKeys::GetAsyncKeyState(int vk) {
  queried.push_back(vk);
  for (int k : down)
    if (k == vk) return static_cast<std::int16_t>(0x8000);
  return 0;
}

double ScriptedRandom::Rnd() {
  ++draws;
  double v = fallback;
  if (!values.empty()) {
    v = values.front();
    values.pop_front();
  }
  if (log) *log << QStringLiteral("random %1").arg(v);
  return v;
}

void ScriptedRandom::Randomize() {
  ++seeded;
  if (log) *log << QStringLiteral("random numbers seeded");
}

std::optional<OpenFileResult> FakeFileDialog::GetOpenFileName(const OpenFileRequest& request) {
  requests.push_back(request);
  if (log) {
    *log << QStringLiteral("open dialog \"%1\" in %2, filters %3, extension %4 → %5")
                .arg(request.Title, request.InitialFolder,
                     request.Filters.join(QStringLiteral("|")), request.DefaultExtension,
                     result ? result->Path + QStringLiteral(" (") + result->FileTitle + ')'
                            : QStringLiteral("cancelled"));
  }
  return result;
}

void RecordingCanvas::BeginFrame(int w, int h, const QString& font, double size) {
  ++frames;
  width = w;
  height = h;
  font_name = font;
  font_size = size;
  lines.clear();
  prints.clear();
  if (log) *log << QStringLiteral("draw");
}

void FakeWindows::SyncMainWindow() {
  QString icons;
  for (int i = 0; state && i <= 2; ++i) {
    const PictureView& p = state->Formain.PicGra(i);
    if (p.Visible) icons += QStringLiteral(" (%1, %2)").arg(p.Left).arg(p.Top);
  }
  Note(QStringLiteral("window brought up to date") +
       (icons.isEmpty() ? QString() : QStringLiteral(", icons at") + icons));
}

void FakeWindows::ShowSettingsWindow() {
  ++settings_opened;
  Note(QStringLiteral("settings window opened"));
  if (on_settings) on_settings();
  Note(QStringLiteral("settings window closed"));
}

void FakeWindows::EndProgram(int exitCode) {
  Note(QStringLiteral("program ends (exit %1)").arg(exitCode));
  throw ProgramEnded{exitCode};
}

TestGame::TestGame() {
  for (auto* l : {&msgs.log, &sound.log, &pump.log, &rng.log, &files.log, &canvas.log, &win.log})
    *l = &log;
  for (int k = 0; k <= 19; ++k) s.SoundData(k) = "slot " + QByteArray::number(k);
  win.state = &s;
}

void TestGame::LoadWords(int n, const QStringList& words) {
  s.BoardSize = static_cast<Integer>(n);
  s.WordCount = static_cast<Integer>(words.size());
  int longest = 0;
  for (int i = 1; i <= s.WordCount; ++i) {
    s.Words(i) = words[i - 1];
    s.WordPoints(i) = 10 * i;
    s.Formain.La(i).Caption = words[i - 1];
    s.Formain.La(i).Visible = true;
    s.Formain.La2(i).Visible = true;
    longest = std::max(longest, static_cast<int>(words[i - 1].size()));
  }
  s.MaxWordLength = static_cast<Integer>(longest);
  s.Formain.MenusEnabled = true;
}

void TestGame::Place(int i, int column, int row, int dir) {
  const Integer mode = s.MessageMode;
  s.MessageMode = 1;
  s.SelectedIndex = 0;
  La_MouseDown(g, static_cast<Integer>(i), 1);
  // The centre of the cell, in the picture's pixels.
  const float cell = static_cast<float>(s.Formain.Pimain.Width - 1) / s.BoardSize;
  Pimain_MouseDown(g, static_cast<Integer>(dir == 0 ? 1 : 2), (column + 0.5f) * cell,
                   (row + 0.5f) * cell);
  DrawBoard(g);
  s.MessageMode = mode;
  if (s.WordUsed(i) != 1) throw std::logic_error("word " + std::to_string(i) + " does not fit");
}

void SetBoard(GameState& s, const QString& text) {
  const QStringList rows = text.split('/');
  s.BoardSize = static_cast<Integer>(rows.size() - 2);
  s.Board.Fill(QString());
  for (int y = -1; y <= s.BoardSize; ++y) {
    const QString& row = rows[y + 1];
    if (row.size() != rows.size()) throw std::logic_error("a board must be square");
    for (int x = -1; x <= s.BoardSize; ++x) {
      const QChar c = row[x + 1];
      if (c != QChar(u'・')) s.Board(x, y) = QString(c);
    }
  }
}

QString BoardText(const GameState& s) {
  QStringList rows;
  for (int y = -1; y <= s.BoardSize; ++y) {
    QString row;
    for (int x = -1; x <= s.BoardSize; ++x)
      row += s.Board(x, y).isEmpty() ? QStringLiteral("・") : s.Board(x, y);
    rows << row;
  }
  return rows.join('/');
}

}  // namespace numera::testing
