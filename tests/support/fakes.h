// Scripted and recording stand-ins for the platform, so every chain and
// every redraw can be driven and checked without a window. Every fake also
// writes what it was asked to do into one shared log, in order: the
// transcripts of the chains are printed from it.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/platform.h"
#include "tests/support/qt_printers.h"

namespace numera::testing {

// Thrown by FakeWindows::EndProgram: the program has ended.
struct ProgramEnded {
  int ExitCode = 0;
};

// Thrown when a box appears that no scripted answer is left for.
struct UnansweredBox : std::runtime_error {
  explicit UnansweredBox(const MessageBoxRequest& b)
      : std::runtime_error("unexpected message box: " + b.Message.toStdString()), box(b) {}
  MessageBoxRequest box;
};

// Answers each box with the next scripted button, given by caption or index.
class ScriptedMessageHost : public MessageHost {
 public:
  void Press(const QString& caption) { answers_.push_back({caption, 0}); }
  void PressIndex(int index) { answers_.push_back({QString(), index}); }
  // Answers every box without a scripted answer with its first (or last)
  // button.
  void AlwaysFirst() { fallback_ = kFirst; }
  void AlwaysLast() { fallback_ = kLast; }
  int Show(const MessageBoxRequest& box) override;

  QStringList Messages() const;
  std::size_t Pending() const { return answers_.size(); }
  std::vector<MessageBoxRequest> boxes;
  std::function<void(const MessageBoxRequest&)> on_show;  // before the answer
  QStringList* log = nullptr;

 private:
  struct Answer {
    QString Caption;  // empty: use Index
    int Index = 0;
  };
  std::deque<Answer> answers_;
  enum { kNone, kFirst, kLast } fallback_ = kNone;
};

// SoundData entries of a TestGame hold "slot K", so the log names the slot.
class RecordingSound : public SoundPlayer {
 public:
  void Play(const QByteArray& wav) override;
  std::vector<QByteArray> played;
  QStringList* log = nullptr;
};

// A clock that only moves when events are processed.
class FakeClock : public Clock {
 public:
  std::uint32_t NowMs() override { return now; }
  std::uint32_t now = 1000;
};

class FakePump : public EventPump {
 public:
  explicit FakePump(FakeClock& clock) : clock_(clock) {}
  void ProcessEvents(int maxWaitMs) override;
  int calls = 0;
  std::function<void()> on_events;
  QStringList* log = nullptr;

 private:
  FakeClock& clock_;
};

class FakeKeys : public KeyPoller {
 public:
  std::int16_t GetAsyncKeyState(int vk) override;
  std::vector<int> down;
  std::vector<int> queried;
};

// Returns scripted values in order, then `fallback` for ever.
class ScriptedRandom : public Random {
 public:
  double Rnd() override;
  void Randomize() override;
  std::deque<double> values;
  double fallback = 0.0;
  int draws = 0;
  int seeded = 0;
  QStringList* log = nullptr;
};

class FakeFileDialog : public FileDialog {
 public:
  std::optional<OpenFileResult> GetOpenFileName(const OpenFileRequest& request) override;
  std::optional<OpenFileResult> result;
  std::vector<OpenFileRequest> requests;
  QStringList* log = nullptr;
};

class RecordingCanvas : public Canvas {
 public:
  struct LineRec {
    double X1, Y1, X2, Y2;
    Colour Color;
  };
  struct PrintRec {
    double X, Y;
    QString Text;
    Colour Color;
  };
  void BeginFrame(int width, int height, const QString& font, double size) override;
  void Line(double x1, double y1, double x2, double y2, Colour c) override {
    lines.push_back({x1, y1, x2, y2, c});
  }
  void Print(double x, double y, const QString& text, Colour c) override {
    prints.push_back({x, y, text, c});
  }
  void EndFrame() override {}

  int frames = 0;
  int width = 0, height = 0;
  QString font_name;
  double font_size = 0;
  std::vector<LineRec> lines;
  std::vector<PrintRec> prints;
  QStringList* log = nullptr;
};

class FakeWindows : public Windows {
 public:
  void SyncMainWindow() override;
  void ShowMainWindow() override { ++shown, Note(QStringLiteral("main window shown")); }
  void FocusBoard() override { Note(QStringLiteral("board takes the focus")); }
  int ScaleWidth() override { return scale_width; }
  int ScaleHeight() override { return scale_height; }
  bool VerticalFontAvailable() override { return vertical_font; }
  void ShowSettingsWindow() override;
  [[noreturn]] void EndProgram(int exitCode) override;

  int shown = 0, settings_opened = 0;
  int scale_width = 500, scale_height = 539;
  bool vertical_font = true;
  std::function<void()> on_settings;  // what the player does in the window
  QStringList* log = nullptr;
  const GameState* state = nullptr;  // to tell where flying icons are shown

 private:
  void Note(const QString& what) {
    if (log) *log << what;
  }
};

// A whole game on fakes, all writing into `log`.
struct TestGame {
  TestGame();
  GameState s;
  QStringList log;
  ScriptedMessageHost msgs;
  RecordingSound sound;
  FakeClock clock;
  FakePump pump{clock};
  FakeKeys keys;
  ScriptedRandom rng;
  FakeFileDialog files;
  RecordingCanvas canvas;
  FakeWindows win;
  Platform p{msgs, sound, clock, pump, keys, rng, files, canvas, win};
  Game g{s, p};

  // Puts an N x N puzzle with these words (points 10, 20, ...) into play, as
  // opening a file would, without a file.
  void LoadWords(int n, const QStringList& words);
  // Places word i as the player would (select it, press its first cell).
  void Place(int i, int column, int row, int dir);
};

// The board and its ring as text: N + 2 rows of N + 2 cells from (-1, -1),
// rows joined by '/', "・" for an empty cell. SetBoard also sets N.
void SetBoard(GameState& s, const QString& rows);
QString BoardText(const GameState& s);

}  // namespace numera::testing
