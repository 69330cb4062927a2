// Scripted and recording stand-ins for the platform, so every chain and
// every redraw can be driven and checked without a window.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/platform.h"

namespace numera::testing {

// Thrown by FakeWindows::EndProgram: the program has ended.
struct ProgramEnded {
  int ExitCode = 0;
};

// Records every box and answers with the scripted buttons, given either by
// caption or by index. Running out of answers is a test failure.
class ScriptedMessageHost : public MessageHost {
 public:
  struct Answer {
    QString Caption;  // empty: use Index
    int Index = 0;
  };
  void Press(const QString& caption) { answers_.push_back({caption, 0}); }
  void PressIndex(int index) { answers_.push_back({QString(), index}); }
  // Answers every remaining box with its first button.
  void AlwaysFirst(bool on = true) { always_first_ = on; }
  int Show(const MessageBoxRequest& box) override;

  std::vector<MessageBoxRequest> boxes;
  QStringList Messages() const;
  QStringList Titles() const;
  std::size_t Pending() const { return answers_.size(); }
  // Called with each box before it is answered (e.g. to inject events).
  std::function<void(const MessageBoxRequest&)> on_show;

 private:
  std::deque<Answer> answers_;
  bool always_first_ = false;
};

class RecordingSound : public SoundPlayer {
 public:
  void Play(const QByteArray& wav) override { played.push_back(wav); }
  std::vector<QByteArray> played;
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
  void ProcessEvents(int maxWaitMs) override {
    ++calls;
    if (on_events) on_events();
    clock_.now += static_cast<std::uint32_t>(maxWaitMs > 0 ? maxWaitMs : 1);
  }
  int calls = 0;
  std::function<void()> on_events;

 private:
  FakeClock& clock_;
};

class FakeKeys : public KeyPoller {
 public:
  std::int16_t GetAsyncKeyState(int vk) override {
    queried.push_back(vk);
    for (int k : down)
      if (k == vk) return static_cast<std::int16_t>(0x8000);
    return 0;
  }
  std::vector<int> down;
  std::vector<int> queried;
};

// Returns scripted values in order, then `fallback` for ever.
class ScriptedRandom : public Random {
 public:
  double Rnd() override {
    ++draws;
    if (values.empty()) return fallback;
    const double v = values.front();
    values.pop_front();
    return v;
  }
  void Randomize() override { ++seeded; }
  std::deque<double> values;
  double fallback = 0.0;
  int draws = 0;
  int seeded = 0;
};

class FakeFileDialog : public FileDialog {
 public:
  std::optional<OpenFileResult> GetOpenFileName(const OpenFileRequest& request) override {
    requests.push_back(request);
    return result;
  }
  std::optional<OpenFileResult> result;
  std::vector<OpenFileRequest> requests;
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
  void BeginFrame(int width, int height, const QString& font, double size) override {
    ++frames;
    this->width = width;
    this->height = height;
    font_name = font;
    font_size = size;
    lines.clear();
    prints.clear();
  }
  void Line(double x1, double y1, double x2, double y2, Colour c) override {
    lines.push_back({x1, y1, x2, y2, c});
  }
  void Print(double x, double y, const QString& text, Colour c) override {
    prints.push_back({x, y, text, c});
  }
  void EndFrame() override {}

  // The print at a cell's position on an N x N board, if any.
  const PrintRec* PrintAt(int x, int y, int n) const;

  int frames = 0;
  int width = 0, height = 0;
  QString font_name;
  double font_size = 0;
  std::vector<LineRec> lines;
  std::vector<PrintRec> prints;
};

class FakeWindows : public Windows {
 public:
  void SyncMainWindow() override { ++syncs; }
  void ShowMainWindow() override { ++shown; }
  void FocusBoard() override { ++focused; }
  int ScaleWidth() override { return scale_width; }
  int ScaleHeight() override { return scale_height; }
  bool VerticalFontAvailable() override { return vertical_font; }
  void ShowSettingsWindow() override {
    ++settings_opened;
    if (on_settings) on_settings();
  }
  [[noreturn]] void EndProgram(int exitCode) override { throw ProgramEnded{exitCode}; }

  int syncs = 0, shown = 0, focused = 0, settings_opened = 0;
  int scale_width = 500, scale_height = 539;
  bool vertical_font = true;
  std::function<void()> on_settings;
};

// A whole game on fakes.
struct TestGame {
  GameState s;
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

  // Puts an N x N puzzle with these words (points 10, 20, ...) into play.
  void LoadWords(int n, const QStringList& words);
};

}  // namespace numera::testing
