// The Qt side of the platform interfaces: sound, clock, event processing,
// the arrow keys, random numbers, the file dialog and the windows.
#pragma once

#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>
#include <random>
#include <set>

#include "core/platform.h"

namespace numera {

class MainWindow;

// Plays WAV images from memory (decoded with libsndfile) on the default audio
// output. With no audio device it stays silent.
class QtSound : public SoundPlayer {
 public:
  QtSound();
  ~QtSound() override;
  void Play(const QByteArray& wav) override;

 private:
  bool enabled_ = false;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> buffer_;
  QByteArray pcm_;
};

class QtClock : public Clock {
 public:
  QtClock() { timer_.start(); }
  std::uint32_t NowMs() override { return static_cast<std::uint32_t>(timer_.elapsed()); }

 private:
  QElapsedTimer timer_;
};

// Runs the event loop for at most maxWaitMs: blocks while nothing happens.
class QtPump : public EventPump {
 public:
  void ProcessEvents(int maxWaitMs) override;
};

// Arrow-key state: system-wide through the X server where there is one,
// otherwise as seen by the game's own windows.
class QtKeys : public QObject, public KeyPoller {
 public:
  QtKeys();
  std::int16_t GetAsyncKeyState(int virtualKey) override;
  // Called when an arrow key goes down in one of the game's own windows; the
  // key counts as down for as long as the call lasts, so a tap shorter than
  // the poll interval still moves the selection.
  std::function<void()> on_arrow_press;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void* display_ = nullptr;  // Display* when running on X11
  char keymap_[32] = {};
  QElapsedTimer keymap_age_;
  std::set<int> down_;     // fallback: keys down in our windows
  std::set<int> latched_;  // pressed in our windows, being handled now
  quint64 last_press_time_ = 0;
  int last_press_ = 0;
};

class QtRandom : public Random {
 public:
  double Rnd() override { return dist_(engine_); }
  void Randomize() override;

 private:
  std::mt19937_64 engine_{12345};
  std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

class QtFileDialog : public FileDialog {
 public:
  explicit QtFileDialog(QWidget* owner) : owner_(owner) {}
  std::optional<OpenFileResult> GetOpenFileName(const OpenFileRequest& request) override;

 private:
  QWidget* owner_;
};

class QtWindows : public Windows {
 public:
  QtWindows(MainWindow& window, GameState& state) : window_(window), state_(state) {}
  void Bind(Game* game) { game_ = game; }
  void SyncMainWindow() override;
  void ShowMainWindow() override;
  void FocusBoard() override;
  int ScaleWidth() override;
  int ScaleHeight() override;
  bool VerticalFontAvailable() override;
  void ShowSettingsWindow() override;
  [[noreturn]] void EndProgram(int exitCode) override;

 private:
  MainWindow& window_;
  GameState& state_;
  Game* game_ = nullptr;
};

}  // namespace numera
