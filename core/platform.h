// The narrow doors through which the rules reach the outside world: message
// boxes, sound, the clock, event processing, the arrow keys, random numbers,
// the file dialog, the board picture and the windows. The game logic sees
// only these interfaces; the Qt side in platform/ implements them and the
// tests implement them with scripted and recording fakes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "core/game_state.h"
#include "core/virtual_keys.h"

namespace numera {

// One box of the game's own message window, laid out (pixels, client area).
struct MessageBoxRequest {
  QString Message;
  QString Title;
  int Count = 1;         // buttons shown, 1..3
  QStringList Captions;  // exactly Count captions, in button order
  int ClientWidth = 0;
  int ClientHeight = 62;
  std::array<double, 3> ButtonLeft{};  // fractional, as the layout computes it
  std::array<int, 3> ButtonWidth{};    // 0 for a button beyond Count
  int ButtonTop = 37;
  int ButtonHeight = 24;
  int LabelLeft = 8;
  int LabelTop = 8;
  int LabelWidth = 0;
  int LabelHeight = 33;
  // Which step of which chain shows the box (none for a box of its own):
  // boxes that look alike can lead on differently, and a recorder of the
  // chains needs to tell them apart.
  const void* Chain = nullptr;
  int Step = 0;
};

class MessageHost {
 public:
  virtual ~MessageHost() = default;
  // Shows the box modally; returns the index of the pressed button (0..Count-1).
  virtual int Show(const MessageBoxRequest& box) = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing a whole WAV image from memory and returns at once; a new
  // sound replaces the one playing. Anything unplayable is silence.
  virtual void Play(const QByteArray& wav) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t NowMs() = 0;  // a millisecond clock that may wrap
};

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Handles pending window events; may block up to maxWaitMs for new ones.
  virtual void ProcessEvents(int maxWaitMs) = 0;
};

class KeyPoller {
 public:
  virtual ~KeyPoller() = default;
  // Non-zero while the key with this virtual-key code is down.
  virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
};

class Random {
 public:
  virtual ~Random() = default;
  virtual double Rnd() = 0;      // uniform in [0, 1)
  virtual void Randomize() = 0;  // seed from the clock
};

struct OpenFileRequest {
  QString Title;        // "ファイルを開く"
  QStringList Filters;  // name/pattern pairs, in order
  QString InitialFolder;
  QString DefaultExtension;
};

struct OpenFileResult {
  QString Path;       // full path of the chosen file
  QString FileTitle;  // the file name without its folder
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual std::optional<OpenFileResult> GetOpenFileName(const OpenFileRequest& request) = 0;
};

// The board picture. A frame is always painted whole: every redraw starts
// from a blank picture, so nothing of an earlier frame can linger.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void BeginFrame(int width, int height, const QString& fontName, double pointSize) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, Colour colour) = 0;
  virtual void Print(double x, double y, const QString& text, Colour colour) = 0;
  virtual void EndFrame() = 0;
};

// What the logic asks of the windows themselves.
class Windows {
 public:
  virtual ~Windows() = default;
  // Copies MainWindowState onto the main window's widgets now.
  virtual void SyncMainWindow() = 0;
  virtual void ShowMainWindow() = 0;
  // Gives the board picture the keyboard focus.
  virtual void FocusBoard() = 0;
  // Inner size of the main window in pixels (ScaleWidth, ScaleHeight).
  virtual int ScaleWidth() = 0;
  virtual int ScaleHeight() = 0;
  // Whether the vertical-writing board font can be used here.
  virtual bool VerticalFontAvailable() = 0;
  // Opens the settings window modally; returns when it has closed.
  virtual void ShowSettingsWindow() = 0;
  // Ends the program at once: every window closes, nothing is saved.
  [[noreturn]] virtual void EndProgram(int exitCode) = 0;
};

struct Platform {
  MessageHost& Messages;
  SoundPlayer& Sound;
  Clock& Time;
  EventPump& Pump;
  KeyPoller& Keys;
  Random& Rng;
  FileDialog& Files;
  Canvas& BoardCanvas;
  Windows& Win;
};

// What every procedure of the game gets: the state and the platform.
struct Game {
  GameState& s;
  Platform& p;
};

}  // namespace numera
