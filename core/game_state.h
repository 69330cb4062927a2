// The whole program-wide state of the game, with the names and widths the
// game has always used. Every procedure reads and writes it directly; the
// windows only show it. Nothing here knows about a window toolkit: the main
// window is described as plain data (positions, captions, colours) that the
// view copies onto its widgets.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/checked_array.h"

namespace numera {

using Integer = std::int16_t;  // a 16-bit signed value
using Long = std::int32_t;     // a 32-bit signed value
using Byte = std::uint8_t;     // an 8-bit unsigned value
using Colour = std::int32_t;   // 0xBBGGRR, red in the low byte

namespace colour {
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kOrange = 0x0080FF;
inline constexpr Colour kGreen = 0x00FF00;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kLightBlue = 0xFF8080;
inline constexpr Colour kNearWhite = 0xFDFDFD;
}  // namespace colour

// A random colour of the game: Int(Rnd * 1677216). The factor really is
// 1,677,216 (one digit short of 2^24); the colours never reach full blue.
inline constexpr double kRandomColourRange = 1677216.0;

template <typename T>
using WordArray = CheckedArray<T, 1, 90>;

inline const QString kIdeographicSpace = QStringLiteral("\u3000");
// The end mark of a placed word in Board.
inline const QString kCross = QStringLiteral("×");

// The settings, as Data.dat stores them. A stored value outside these
// matches none of them and changes nothing.
namespace message_mode {                    // MessageMode: which joke chains run
inline constexpr Integer kStandard = 0;     // 標準
inline constexpr Integer kNone = 1;         // なし
inline constexpr Integer kPersistent = 2;   // しつこい: the long chains
inline constexpr Integer kRandomJokes = 3;  // もふり: events after placements
}  // namespace message_mode
namespace cross_kind {                     // CrossKind: how an end mark is drawn
inline constexpr Integer kRedCross = 0;    // "×" in red
inline constexpr Integer kBlock = 1;       // "■"
inline constexpr Integer kPear = 2;        // "梨" in near white
inline constexpr Integer kFakeLetter = 3;  // the second letter of a word drawn at random
inline constexpr Integer kBlank = 4;       // an ideographic space
}  // namespace cross_kind
namespace background_kind {  // BackgroundKind: the main window's colour
inline constexpr Integer kGreen = 0;
inline constexpr Integer kPurple = 1;
inline constexpr Integer kRandom = 2;    // a click draws another
inline constexpr Integer kNightSky = 3;  // a click sends the icons flying
}  // namespace background_kind
namespace font_kind {  // FontKind: the board's font
inline constexpr Integer kGothic = 0;
inline constexpr Integer kMincho = 1;
inline constexpr Integer kVerticalGothic = 2;
inline constexpr Integer kRainbow = 3;  // gothic, a random colour per cell
}  // namespace font_kind
namespace sound_slot {  // SoundData / SoundSwitch entries that play
inline constexpr int kMessageBox = 0;
inline constexpr int kSelection = 1;
inline constexpr int kClearing = 2;
inline constexpr int kShift = 3;
inline constexpr int kRefusedShift = 5;  // switched by kShift's switch
inline constexpr int kFlight = 9;
}  // namespace sound_slot

// A label of the main window as the view should show it (pixels).
struct LabelView {
  QString Caption;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = false;
  Colour ForeColor = colour::kBlack;
};

struct PictureView {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = false;
};

// Outer window sizes and the settings window's layout are in twips.
inline constexpr int kTwipsPerPixel = 15;

// The design background of the main window, kept when BackgroundKind is out
// of range.
inline constexpr Colour kDesignBackColor = 0xC0C0C0;

// Formain as data: what the view shows. Design positions are in pixels.
struct MainWindowState {
  int WidthTwips = 4150;  // outer size, frame included (kTwipsPerPixel)
  int HeightTwips = 700;
  // Counts every time the logic sets the outer size, so the view applies
  // each one, also a size equal to the last (the player may have resized).
  int OuterSizeSets = 0;
  Colour BackColor = kDesignBackColor;
  QString PimainFontName = QStringLiteral("ＭＳ ゴシック");
  double PimainFontSize = 9.0;                         // points
  QString FontName = QStringLiteral("ＭＳ ゴシック");  // the window's own font
  PictureView Pimain{8, 8, 251, 251, true};
  bool MenusEnabled = false;  // 上書き保存する, 名前が付いて保存, 移動, すべてクリア
  CheckedArray<LabelView, 1, 90> La;
  CheckedArray<LabelView, 1, 90> La2;
  LabelView Lg1{{}, 8, 328, 129, 33, false, colour::kBlack};
  LabelView Lg2{{}, 8, 376, 241, 33, false, colour::kBlack};
  LabelView Lg3{{}, 8, 424, 241, 33, false, colour::kBlack};
  CheckedArray<PictureView, 0, 2> PicGra;
  PictureView PicCheck{232, 336, 19, 19, false};
  QString Text1;  // the file status box
  int Text1Caret = 0;

  MainWindowState();
};

inline MainWindowState::MainWindowState() {
  for (int i = 1; i <= 90; ++i) {
    La(i) = LabelView{{}, 272, 8, 159, 17, false, colour::kBlack};
    La2(i) = LabelView{{}, 432, 8, 65, 17, false, colour::kBlack};
  }
  PicGra(0) = PictureView{272, 272, 51, 51, false};
  PicGra(1) = PictureView{272, 336, 51, 51, false};
  PicGra(2) = PictureView{272, 400, 51, 51, false};
}

struct GameState {
  // Paths and settings.
  QString AppPath;             // folder of the executable, no trailing separator
  Integer CrossKind = 0;       // cross_kind::
  Integer BackgroundKind = 0;  // background_kind::
  Integer FontKind = 0;        // font_kind::
  Integer MessageMode = 0;     // message_mode::
  CheckedArray<Integer, 0, 19> SoundSwitch;
  CheckedArray<QByteArray, 0, 19> SoundData;

  // Board.
  Integer BoardSize = 0;
  CheckedGrid<QString> Board;
  CheckedGrid<QString> BoardShown;
  CheckedGrid<Byte> CellFlag;  // 0 none, 1 orange, 2 green
  CheckedGrid<Byte> CheckFlag;
  CheckedGrid<Long> CellColor;

  // Word list.
  Integer WordCount = 0;
  WordArray<QString> Words;
  WordArray<Long> WordPoints;
  WordArray<Integer> WordUsed;
  WordArray<Integer> WordX;
  WordArray<Integer> WordY;
  WordArray<Integer> WordDir;  // 0 across, 1 down
  Integer FakeWordIndex = 0;

  // Selection and score.
  Long SelectedIndex = 0;
  QString SelectedWord;
  Long SelectedPoints = 0;
  Long PlacedCount = 0;
  Long Score = 0;
  Long BestScore = 0;
  Byte NoRecord = 0;
  QString CountSuffix = kIdeographicSpace;
  QString ScoreSuffix = kIdeographicSpace;

  // Message box.
  Byte MsgResult = 0;
  Byte MsgAnswered = 0;

  // Puzzle file bookkeeping (written back unchanged by saving).
  QString FileVersion;  // first six characters of the last file opened
  CheckedArray<Integer, 0, 1> SuffixLengths;
  Integer MaxWordLength = 0;
  QString PuzzleName;
  // The texts as the puzzle file spelled them in code page 932. Saving writes
  // these bytes back while they still read as Words / CountSuffix /
  // ScoreSuffix, so an unchanged puzzle comes back byte for byte even where
  // the code page has two spellings of a character.
  WordArray<QByteArray> WordBytes;
  QByteArray CountSuffixBytes;
  QByteArray ScoreSuffixBytes;

  // Board check counter.
  Integer CheckCount = 0;

  // Settings window: 1 when MessageMode was 2 as the window loaded.
  Byte SettingsSeen = 0;

  MainWindowState Formain;
};

}  // namespace numera
