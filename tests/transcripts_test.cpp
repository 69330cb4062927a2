// Every command that talks to the player, walked through every button of
// every box and compared with the reviewed transcripts in tests/golden/.
// After a deliberate change, NUMERA_REWRITE_GOLDEN=1 rewrites them; read the
// diff before committing it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>

#include "app/startup.h"
#include "core/draw_board.h"
#include "diversions/background.h"
#include "diversions/random_event.h"
#include "files/closing.h"
#include "files/open_puzzle.h"
#include "files/puzzle_file.h"
#include "files/save_puzzle.h"
#include "play/clearing.h"
#include "play/placement.h"
#include "play/shifting.h"
#include "play/word_selection.h"
#include "settings/settings_window.h"
#include "settings/version_help.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/walker.h"

namespace numera::testing {
namespace {

using Setup = std::function<void(TestGame&)>;
using Scenarios = std::vector<Scenario>;

QByteArray Int16s(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
  return out;
}

// A puzzle of our own: words worth 10, 20, 30, ... points, a few of them
// placed as (word, x, y, dir), the stored score their sum.
struct Placed {
  int Word, X, Y, Dir;
};
PuzzleFile Puzzle(int n, const QStringList& words, const std::vector<Placed>& placed = {},
                  PuzzleLayout layout = PuzzleLayout::kVersion2) {
  PuzzleFile p = MakePuzzle(layout, n, words);
  for (const Placed& w : placed) {
    PlaceEntry(p, w.Word, w.X, w.Y, w.Dir);
    p.PlacedCount += 1;
    p.Score += 10 * w.Word;
  }
  return p;
}

const QStringList kAnimals{"ねこ", "いぬ", "こい", "かめ", "うし", "へび"};

// A puzzle file opened the quiet way, in the message setting `mode`.
Setup Opened(int mode, const PuzzleFile& puzzle, const QString& name = "kanji1.mlt") {
  return [=](TestGame& t) {
    const QString path = t.s.AppPath + '/' + name;
    WriteBytes(path, SerializePuzzle(puzzle));
    OpenPuzzleFromCommandLine(t.g, path);
    t.s.MessageMode = static_cast<Integer>(mode);
  };
}

// The animals on a 6 x 6 board, ねこ placed across at the top left.
Setup AnimalsInPlay(int mode) {
  return Opened(mode, Puzzle(6, kAnimals, {{1, 0, 0, 0}}));
}

Scenarios Startup() {
  auto withRecord = [](QByteArray record) {
    return [record](TestGame& t) { WriteBytes(t.s.AppPath + "/Data/Data.dat", record); };
  };
  auto run = [](TestGame& t) { Main(t.g); };
  QByteArray full = Int16s({3, 2, 1, 2, 1, 1, 1});
  full.append(QByteArray(34, '\0'));
  return {
      {"A full record under しつこい: cross 3, random background, 明朝, sounds 0-2",
       [=](TestGame& t) {
         withRecord(full)(t);
         t.rng.fallback = 0.5;
       },
       run},
      {"No Data.dat: created empty, defaults", nullptr, run},
      {"An 8-byte record: the four settings, no sound", withRecord(Int16s({1, 1, 0, 3})), run},
      {"A 9-byte record reads only whole fields", withRecord(Int16s({4, 3, 2, 0, 1}).left(9)), run},
      {"Settings out of range are not applied", withRecord(Int16s({9, 7, -1, 5})), run},
      {"Sound files are read whole, one byte longer",
       [](TestGame& t) {
         WriteBytes(t.s.AppPath + "/Data/sound1.wav", "RIFF1");
         WriteBytes(t.s.AppPath + "/Data/sound9.wav", "RIFF99");
       },
       run},
      {"No Data folder", [](TestGame& t) { QDir(t.s.AppPath).rmdir("Data"); }, run},
      {"Data is a file, not a folder",
       [](TestGame& t) {
         QDir(t.s.AppPath).rmdir("Data");
         WriteBytes(t.s.AppPath + "/Data", "x");
       },
       run},
      {"Data.dat is a folder, sound1.wav a folder too",
       [](TestGame& t) {
         QDir(t.s.AppPath).mkpath("Data/Data.dat");
         QDir(t.s.AppPath).mkpath("Data/sound1.wav");
       },
       run},
  };
}

Scenarios Open() {
  const PuzzleFile animals = Puzzle(10, kAnimals, {{1, 0, 0, 0}, {3, 1, 0, 1}});
  auto chosen = [](const PuzzleFile& p, const QString& name, int mode) {
    return [=](TestGame& t) {
      WriteBytes(t.s.AppPath + '/' + name, SerializePuzzle(p));
      t.files.result = OpenFileResult{t.s.AppPath + '/' + name, name};
      t.s.MessageMode = static_cast<Integer>(mode);
    };
  };
  auto open = [](TestGame& t) { ファイルを開く_Click(t.g); };
  QStringList many;
  for (int i = 0; i < 61; ++i) many << QString(1 + i % 3, QChar(0x3042 + i % 40));
  const PuzzleFile sixtyOne = Puzzle(20, many, {{2, 3, 4, 1}});
  PuzzleFile thirty = Puzzle(12, many.mid(0, 30));
  thirty.Entries[0].Points = 0;
  PuzzleFile incomplete = Puzzle(10, kAnimals, {{1, 0, 0, 0}, {2, 0, 1, 0}});
  PuzzleFile longSuffix = animals;
  longSuffix.ScoreSuffixBytes = EncodeCp932(QStringLiteral("ポイントでございます"));
  return {
      {"標準: the chosen file loads at once", chosen(animals, "abc.def.mlt", 0), open},
      {"しつこい: the opening and loading chains", chosen(animals, "kanji1.mlt", 2), open},
      {"The dialog cancelled", [](TestGame& t) { AnimalsInPlay(0)(t), t.files.result.reset(); },
       open},
      {"A file cut short is refused and changes nothing",
       [=](TestGame& t) {
         AnimalsInPlay(0)(t);
         chosen(animals, "cut.mlt", 0)(t);
         WriteBytes(t.s.AppPath + "/cut.mlt", SerializePuzzle(animals).left(700));
       },
       open},
      {"61 words, chosen without an extension", chosen(sixtyOne, "many", 0), open},
      {"30 words still stand in one column; a word worth nothing", chosen(thirty, "30.mlt", 0),
       open},
      {"An old-layout file, named with a dot in front: the puzzle name is empty",
       chosen(Puzzle(5, kAnimals, {{6, 1, 1, 1}}, PuzzleLayout::kOld), ".old.mlt", 0), open},
      {"A stored board that is incomplete keeps the best score",
       [=](TestGame& t) {
         t.s.BestScore = 5;
         chosen(incomplete, "side.mlt", 0)(t);
       },
       open},
      {"The rainbow font draws fresh colours, then the fake word",
       [=](TestGame& t) {
         chosen(Puzzle(2, {"あ"}), "tiny.mlt", 1)(t);
         t.s.FontKind = 3;
         t.rng.values = {0.25, 0.5, 0.75, 0.125, 0.95};
       },
       open},
      {"A long score suffix caps the score labels", chosen(longSuffix, "long.mlt", 3), open},
      {"A puzzle named on the command line",
       [=](TestGame& t) {
         t.s.MessageMode = 2;
         WriteBytes(t.s.AppPath + "/cmd.mlt", SerializePuzzle(animals));
       },
       [](TestGame& t) { OpenPuzzleFromCommandLine(t.g, t.s.AppPath + "/cmd.mlt"); }},
  };
}

Scenarios Save() {
  auto overwrite = [](TestGame& t) { 上書き保存する_Click(t.g); };
  auto saveAs = [](TestGame& t) { 名前が付いて保存_Click(t.g); };
  // こい placed down through the こ of ねこ: the board stays complete.
  auto played = [](int mode) {
    return [mode](TestGame& t) {
      AnimalsInPlay(1)(t);
      t.Place(3, 1, 0, 1);
      t.s.MessageMode = static_cast<Integer>(mode);
    };
  };
  return {
      {"標準: saved over the opened file", played(0), overwrite},
      {"もふり: saved under the puzzle name and score", played(3), saveAs},
      {"なし: an incomplete board is questioned, then saved quietly",
       [](TestGame& t) {
         AnimalsInPlay(1)(t);
         t.Place(2, 0, 1, 0);
       },
       overwrite},
      {"しつこい: the chain before and the loop after", played(2), overwrite},
      {"The old layout is written back as the old layout",
       [](TestGame& t) {
         Opened(1, Puzzle(5, kAnimals, {{1, 1, 1, 1}}, PuzzleLayout::kOld), "old.mlt")(t);
         t.Place(3, 1, 2, 0);
         t.s.MessageMode = 0;
       },
       overwrite},
      {"After a cancelled dialog there is no file to save over",
       [](TestGame& t) {
         AnimalsInPlay(0)(t);
         t.s.Formain.Text1 = QStringLiteral("キャンセルされました。");
         t.s.Formain.Text1Caret = 0;
       },
       overwrite},
      {"A folder that cannot hold the file",
       [](TestGame& t) {
         AnimalsInPlay(0)(t);
         WriteBytes(t.s.AppPath + "/plain", "x");
         t.s.AppPath += "/plain";
       },
       saveAs},
  };
}

Scenarios Close() {
  auto unload = [](TestGame& t) {
    Integer cancel = 0;
    Form_Unload(t.g, cancel);
    t.log << QStringLiteral("cancel %1").arg(cancel);
  };
  auto mode = [](int m) { return [m](TestGame& t) { t.s.MessageMode = static_cast<Integer>(m); }; };
  return {
      {"標準, the close box", mode(0), unload},
      {"なし, the close box", mode(1), unload},
      {"しつこい, the close box", mode(2), unload},
      {"もふり, the menu 終了", mode(3), [](TestGame& t) { 終了_Click(t.g); }},
      {"A message setting no option carries", mode(7), unload},
  };
}

// The settings window as the player uses it: what it shows when loaded, the
// clicks, then "OK".
Setup Window(const std::function<void(TestGame&, SettingsWindowState&)>& clicks) {
  return [=](TestGame& t) {
    t.win.on_settings = [&t, clicks] {
      SettingsWindowState w;
      Formain2_Load(t.g, w);
      QString checks;
      for (bool c : w.Check1) checks += c ? '1' : '0';
      t.log << QStringLiteral("the window shows options %1 %2 %3 %4, sounds %5, rainbow label %6")
                   .arg(w.Option1)
                   .arg(w.Option2)
                   .arg(w.Option3)
                   .arg(w.Option4)
                   .arg(checks)
                   .arg(w.RainbowLabelColor, 6, 16, QLatin1Char('0'));
      clicks(t, w);
      if (!w.Closed) Command1_Click(t.g, w);
    };
  };
}

Scenarios Settings() {
  auto open = [](TestGame& t) { 設定_Click(t.g); };
  auto then = [](Setup a, Setup b) { return [=](TestGame& t) { a(t), b(t); }; };
  auto stored = [](int cross, int back, int font, int messages) {
    return [=](TestGame& t) {
      t.s.CrossKind = Integer(cross), t.s.BackgroundKind = Integer(back);
      t.s.FontKind = Integer(font), t.s.MessageMode = Integer(messages);
      t.s.SoundSwitch(1) = 1, t.s.SoundSwitch(3) = 2, t.s.SoundSwitch(12) = 1;
      t.rng.fallback = 0.5;
    };
  };
  const auto none = [](TestGame&, SettingsWindowState&) {};
  return {
      {"標準 opens at once; OK applies and saves",
       then(stored(1, 2, 0, 0), Window([](TestGame& t, SettingsWindowState& w) {
              for (int box : {0, 3, 4}) Check1_Click(w, box, true);
              Option3_Click(t.g, w, 1);
              Option1_Click(t.g, w, 4);
            })),
       open},
      {"しつこい: the chain in front, then the welcome back",
       then(stored(0, 0, 0, 2), Window(none)), open},
      {"Switching to しつこい welcomes; the quiz's answer is drawn as ２",
       then(stored(0, 3, 0, 0),
            Window([](TestGame& t, SettingsWindowState& w) { Option4_Click(t.g, w, 2); })),
       open},
      {"The quiz's answer drawn as １",
       then(stored(0, 0, 0, 0),
            [](TestGame& t) {
              t.rng.fallback = 0.25;
              Window([](TestGame& t2, SettingsWindowState& w) { Option4_Click(t2.g, w, 2); })(t);
            }),
       open},
      {"The vertical font stored where none is installed",
       then(stored(0, 1, 2, 0),
            [=](TestGame& t) {
              t.win.vertical_font = false;
              Window(none)(t);
            }),
       open},
      {"The vertical font chosen where none is installed, then the window closed without OK",
       then(stored(0, 0, 0, 0),
            [](TestGame& t) {
              t.win.vertical_font = false;
              Window([](TestGame& t2, SettingsWindowState& w) {
                Option3_Click(t2.g, w, 2);
                Option2_Click(t2.g, w, 3);
                w.Closed = true;
              })(t);
            }),
       open},
      {"Stored values no option carries", then(stored(7, -1, 4, 0), Window(none)), open},
      {"The rainbow on a 3 × 3 board",
       then(stored(0, 0, 3, 0),
            [=](TestGame& t) {
              t.LoadWords(3, {"あ"});
              Window(none)(t);
            }),
       open},
      {"Bytes after the 48 of Data.dat are kept",
       then(stored(2, 1, 0, 0),
            [=](TestGame& t) {
              WriteBytes(t.s.AppPath + "/Data/Data.dat", QByteArray(52, '\x7f'));
              Window(none)(t);
            }),
       open},
      {"Data.dat cannot be written",
       then(stored(0, 0, 0, 0),
            [=](TestGame& t) {
              QDir(t.s.AppPath).mkpath("Data/Data.dat");
              Window(none)(t);
            }),
       open},
  };
}

Scenarios Clear() {
  auto clear = [](TestGame& t) { Coc_Click(t.g); };
  auto withSelection = [](int mode) {
    return [mode](TestGame& t) {
      AnimalsInPlay(mode)(t);
      t.s.BestScore = 99;
      t.s.SoundSwitch(2) = 1;
      La_MouseDown(t.g, 2, 1);
      t.log.clear();
    };
  };
  return {
      {"標準", withSelection(0), clear},
      {"なし", withSelection(1), clear},
      {"しつこい", withSelection(2), clear},
      {"もふり", withSelection(3), clear},
      {"A message setting no option carries", withSelection(9), clear},
  };
}

Scenarios Shift() {
  // へび down in column 2 from row 1: an end mark in row 0, a letter in row 2.
  auto board = [](int mode, bool sound) {
    return [=](TestGame& t) {
      Opened(1, Puzzle(4, kAnimals, {{6, 2, 1, 1}}))(t);
      t.s.MessageMode = Integer(mode);
      t.s.SoundSwitch(3) = sound ? 1 : 0;
    };
  };
  auto shift = [](int d) { return [d](TestGame& t) { Co_Click(t.g, Integer(d)); }; };
  Scenarios out;
  for (int d = 0; d < 4; ++d)
    out.push_back({QStringLiteral("なし, direction %1").arg(d), board(1, true), shift(d)});
  out.push_back({"しつこい, buttons in order", board(2, true), shift(2)});
  out.push_back({"しつこい, buttons swapped",
                 [=](TestGame& t) {
                   board(2, false)(t);
                   t.rng.fallback = 0.5;
                 },
                 shift(3)});
  out.push_back({"A letter in the first column refuses the shift to the left",
                 [](TestGame& t) {
                   Opened(1, Puzzle(4, kAnimals, {{6, 0, 1, 1}}))(t);
                   t.s.SoundSwitch(3) = 1;
                 },
                 shift(0)});
  out.push_back({"No puzzle open", [](TestGame& t) { t.s.SoundSwitch(3) = 1; }, shift(0)});
  return out;
}

Scenarios Play() {
  auto press = [](int button, int column, int row) {
    return [=](TestGame& t) {
      const float cell = float(t.s.Formain.Pimain.Width - 1) / float(t.s.BoardSize);
      Pimain_MouseDown(t.g, Integer(button), (column + 0.5f) * cell, (row + 0.5f) * cell);
    };
  };
  auto label = [](int i, int button) {
    return [=](TestGame& t) { La_MouseDown(t.g, Integer(i), Integer(button)); };
  };
  auto selected = [](int mode, int word) {
    return [=](TestGame& t) {
      AnimalsInPlay(1)(t);
      t.s.SoundSwitch(1) = 1;
      La_MouseDown(t.g, Integer(word), 1);
      t.s.MessageMode = Integer(mode);
    };
  };
  return {
      {"しつこい: こい placed down, a new best score", selected(2, 3), press(2, 1, 0)},
      {"もふり: the draw shows event 1",
       [=](TestGame& t) {
         selected(3, 3)(t);
         t.rng.values = {0.7, 0.0};
       },
       press(2, 1, 0)},
      {"もふり: the draw shows nothing",
       [=](TestGame& t) {
         selected(3, 3)(t);
         t.rng.values = {0.5};
       },
       press(2, 1, 0)},
      {"Side by side: placed, but the board is incomplete", selected(0, 2), press(1, 0, 1)},
      {"A different letter in the way refuses", selected(0, 4), press(2, 1, 0)},
      {"Under the rainbow font a refused press still recolours every cell",
       [=](TestGame& t) {
         selected(0, 4)(t);
         t.s.FontKind = 3;
         t.rng.fallback = 0.5;
       },
       press(2, 1, 0)},
      {"No selection: the words with the pressed letter light up", AnimalsInPlay(0),
       press(1, 1, 0)},
      {"The middle button lights the words up too, the last one included",
       Opened(0, Puzzle(6, {"ねこ", "いぬ", "こま"}, {{1, 0, 0, 0}})), press(4, 1, 0)},
      {"The middle button never places a word", selected(0, 3), press(4, 1, 0)},
      {"Releasing on the board ends the highlight",
       [=](TestGame& t) {
         AnimalsInPlay(0)(t);
         press(1, 1, 0)(t);
       },
       [](TestGame& t) { Pimain_MouseUp(t.g); }},
      {"しつこい: pressing the selected word again", selected(2, 4), label(4, 1)},
      {"Another unplaced word takes the selection, pressed on its points", selected(0, 4),
       [](TestGame& t) { La2_MouseDown(t.g, 5, 1); }},
      {"A placed word while another is selected", selected(0, 4), label(1, 1)},
      {"A hidden label past the word list does nothing", AnimalsInPlay(2), label(7, 1)},
      {"しつこい: a placed word taken back", AnimalsInPlay(2), label(1, 1)},
      {"A right press shows a placed word in orange", AnimalsInPlay(0), label(1, 2)},
      {"Releasing the right button over its points ends the orange",
       [=](TestGame& t) {
         AnimalsInPlay(0)(t);
         label(1, 2)(t);
         DrawBoard(t.g);
       },
       [](TestGame& t) { La2_MouseUp(t.g, 1, 2); }},
      {"Taking back the word that made the board incomplete raises the best score",
       [](TestGame& t) {
         AnimalsInPlay(1)(t);
         t.Place(2, 0, 1, 0);
         t.s.MessageMode = 0;
       },
       label(1, 1)},
  };
}

Scenarios Events() {
  Scenarios out;
  auto event = [](std::deque<double> draws) {
    return [draws](TestGame& t) { t.rng.values = draws; };
  };
  auto run = [](TestGame& t) { RandomEvent(t.g); };
  // Rnd values that draw event k, and the g-th of three choices.
  auto pick = [](int k, int of) { return (k - 0.5) / of; };
  for (int k = 1; k <= 32; ++k) {
    if (k == 20) continue;
    out.push_back({QStringLiteral("event %1").arg(k), event({pick(k, 32)}), run});
  }
  for (int k : {7, 8, 22}) {
    for (int g = 2; g <= 3; ++g) {
      out.push_back({QStringLiteral("event %1, draw %2").arg(k).arg(g),
                     event({pick(k, 32), pick(g, 3), pick(g, 3)}), run});
    }
  }
  out.push_back({"event 24, the largest damage", event({pick(24, 32), 0.99999}), run});
  for (int b = 0; b < 3; ++b) {
    out.push_back({QStringLiteral("event 20, always button %1").arg(b + 1), event({pick(20, 32)}),
                   run, std::vector<int>(5, b)});
  }
  return out;
}

Scenarios Background() {
  auto kind = [](int k, std::deque<double> draws = {}) {
    return [=](TestGame& t) {
      t.s.BackgroundKind = Integer(k);
      t.s.SoundSwitch(9) = 1;
      t.rng.values = draws;
    };
  };
  auto click = [](TestGame& t) { Form_Click(t.g); };
  return {
      {"青", kind(0), click},
      {"紫", kind(1), click},
      {"適当", kind(2, {0.999999}), click},
      {"夜空: one icon from the left", kind(3, {0.0, 0.0, 0.5, 0.99, 0.0}), click},
      {"夜空: three icons from the right, the top and the bottom",
       kind(3, {0.9, 0.3, 0.1, 0.0, 0.99, 0.6, 0.5, 0.5, 0.5, 0.9, 0.2, 0.3, 0.7}), click},
      {"夜空: a second click during the flight is ignored",
       [=](TestGame& t) {
         kind(3, {0.0, 0.99, 0.5, 0.0, 0.5, 0.0})(t);
         t.s.SoundSwitch(9) = 0;
         t.pump.on_events = [&t] {
           t.pump.on_events = nullptr;
           Form_Click(t.g);
         };
       },
       click},
  };
}

// What DrawBoard painted, a line to each stroke.
void LogCanvas(TestGame& t) {
  const RecordingCanvas& c = t.canvas;
  t.log << QStringLiteral("frame %1×%2, %3 %4 pt")
               .arg(c.width)
               .arg(c.height)
               .arg(c.font_name)
               .arg(c.font_size);
  for (const auto& l : c.lines)
    t.log << QStringLiteral("line (%1, %2)-(%3, %4) %5")
                 .arg(l.X1)
                 .arg(l.Y1)
                 .arg(l.X2)
                 .arg(l.Y2)
                 .arg(l.Color, 6, 16, QLatin1Char('0'));
  for (const LabelView* l : {&t.s.Formain.Lg1, &t.s.Formain.Lg2, &t.s.Formain.Lg3})
    t.log << QStringLiteral("label \"%1\" %2")
                 .arg(l->Caption)
                 .arg(l->ForeColor, 6, 16, QLatin1Char('0'));
  for (const auto& p : c.prints)
    t.log << QStringLiteral("print \"%1\" at (%2, %3) %4")
                 .arg(p.Text)
                 .arg(p.X)
                 .arg(p.Y)
                 .arg(p.Color, 6, 16, QLatin1Char('0'));
}

Scenarios Draw() {
  auto draw = [](TestGame& t) {
    DrawBoard(t.g);
    LogCanvas(t);
  };
  // ねこ across from the left edge, こい down through its こ, on 4 x 4.
  auto board = [](int cross, std::function<void(TestGame&)> more = nullptr) {
    return [=](TestGame& t) {
      t.LoadWords(4, {"ねこ", "こい", "い", "かめら"});
      t.s.WordUsed(1) = 1;
      t.s.WordUsed(2) = 1, t.s.WordX(2) = 1, t.s.WordDir(2) = 1;
      t.s.CrossKind = Integer(cross);
      t.s.FakeWordIndex = 4;
      if (more) more(t);
    };
  };
  Scenarios out{{"No puzzle: only the labels", nullptr, draw}};
  for (int cross : {0, 1, 2, 3, 4, 7})
    out.push_back({QStringLiteral("Cross kind %1").arg(cross), board(cross), draw});
  out.push_back({"Cross kind 3 with a one-letter fake word",
                 board(3, [](TestGame& t) { t.s.FakeWordIndex = 3; }), draw});
  out.push_back({"A word shown in orange, a cell lit green",
                 board(0,
                       [](TestGame& t) {
                         t.s.Formain.La(2).ForeColor = colour::kOrange;
                         t.s.CellFlag(3, 3) = 2;
                       }),
                 draw});
  out.push_back({"The rainbow colours every cell, highlights and marks included",
                 board(0,
                       [](TestGame& t) {
                         t.s.FontKind = 3;
                         t.s.Formain.La(2).ForeColor = colour::kOrange;
                         for (int x = 0; x < 4; ++x)
                           for (int y = 0; y < 4; ++y)
                             t.s.CellColor(x, y) = 0x10 * x + 0x1000 * y + 1;
                       }),
                 draw});
  out.push_back({"The later word wins a shared cell; an incomplete board reads red",
                 board(0,
                       [](TestGame& t) {
                         t.s.WordUsed(3) = 1, t.s.WordX(3) = 2, t.s.WordY(3) = 0;
                         t.s.NoRecord = 1;
                         t.s.PlacedCount = 3, t.s.Score = 60, t.s.BestScore = 7;
                         t.s.CountSuffix = QStringLiteral("個"),
                         t.s.ScoreSuffix = QStringLiteral("点");
                       }),
                 draw});
  return out;
}

Scenarios VersionAndHelp() {
  auto mode = [](int m) { return [m](TestGame& t) { t.s.MessageMode = Integer(m); }; };
  return {
      {"バージョン情報", mode(2), [](TestGame& t) { バージョン_Click(t.g); }},
      {"ヘルプ", mode(2), [](TestGame& t) { ヘルプ_Click(t.g); }},
  };
}

const std::map<QString, std::function<Scenarios()>>& Families() {
  static const std::map<QString, std::function<Scenarios()>> families{
      {"startup", Startup},
      {"open", Open},
      {"save", Save},
      {"close", Close},
      {"settings", Settings},
      {"clear", Clear},
      {"shift", Shift},
      {"play", Play},
      {"events", Events},
      {"background", Background},
      {"version_help", VersionAndHelp},
      {"draw", Draw},
  };
  return families;
}

class Transcript : public ::testing::TestWithParam<QString> {};

TEST_P(Transcript, MatchesItsReviewedFile) {
  QString text;
  for (const Scenario& sc : Families().at(GetParam())()) text += Walk(sc) + '\n';
  const QString diff = CompareWithGolden(GetParam(), text);
  EXPECT_TRUE(diff.isEmpty()) << diff.toStdString();
}

std::vector<QString> FamilyNames() {
  std::vector<QString> names;
  for (const auto& [name, scenarios] : Families()) names.push_back(name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Families, Transcript, ::testing::ValuesIn(FamilyNames()),
                         [](const auto& info) { return info.param.toStdString(); });

}  // namespace
}  // namespace numera::testing
