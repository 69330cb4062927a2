#include "files/open_puzzle.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "core/appearance.h"
#include "core/draw_board.h"
#include "core/file_names.h"
#include "dialogs/message_box.h"
#include "files/puzzle_file.h"
#include "play/board_check.h"

namespace numera {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// What the open command changes before it knows a puzzle will be loaded, so
// a declined or refused file can leave everything as it was.
struct StatusBox {
  QString Text1;
  int Text1Caret = 0;
  QString PuzzleName;

  static StatusBox Of(const GameState& s) {
    return {s.Formain.Text1, s.Formain.Text1Caret, s.PuzzleName};
  }
  void RestoreInto(GameState& s) const {
    s.Formain.Text1 = Text1;
    s.Formain.Text1Caret = Text1Caret;
    s.PuzzleName = PuzzleName;
  }
};

// Clears Text1 and inserts the path and CR LF at its caret.
void PutPathInText1(GameState& s, const QString& path) {
  s.Formain.Text1 = path + kCrLf;
  s.Formain.Text1Caret = static_cast<int>(s.Formain.Text1.size());
}

// A point value as the word list shows it: a space before a value of 0 or
// more, a minus sign before a negative one.
QString PointsText(Long points) {
  return points < 0 ? QString::number(points) : QStringLiteral(" ") + QString::number(points);
}

// Lays the main window out for the puzzle just read.
void LayOutForPuzzle(Game& g) {
  GameState& s = g.s;
  MainWindowState& w = s.Formain;
  const int n = s.WordCount;

  for (int i = 1; i <= 90; ++i) {
    w.La(i).Visible = false;
    w.La2(i).Visible = false;
  }
  // Up to 30 words a column; the words are shared out evenly over as few
  // columns as that allows.
  const int columns = (n - 1) / 30 + 1;
  const int rows = static_cast<int>(std::floor(static_cast<double>(n) / columns + 0.5));
  // Every point label is as wide as the first word's points need.
  const int pointChars = static_cast<int>(PointsText(s.WordPoints(1)).size());
  const int wordWidth = 16 * std::min<int>(s.MaxWordLength, kLongestWordShown) + 7;
  const int pointWidth = 8 * pointChars + 5;
  for (int i = 1; i <= n; ++i) {
    const int k = (i - 1) / rows;
    const int r = (i - 1) % rows;
    LabelView& word = w.La(i);
    LabelView& points = w.La2(i);
    word.Width = wordWidth;
    points.Width = pointWidth;
    word.Visible = true;
    points.Visible = true;
    const int columnLeft = 272 + k * (points.Width - 1 + word.Width - 1);
    word.Left = columnLeft;
    word.Top = 8 + 16 * r;
    points.Left = columnLeft + word.Width - 1;
    points.Top = 8 + 16 * r;
  }
  const int usedColumns = (n - 1) / rows + 1;
  w.WidthTwips = 16 * usedColumns * (w.La(1).Width + w.La2(1).Width) + 4150 + 150;
  w.HeightTwips = 8080;
  ++w.OuterSizeSets;

  w.Lg1.Width = 30 * static_cast<int>(s.CountSuffix.size()) + 55;
  w.Lg2.Width = std::min(30 * static_cast<int>(s.ScoreSuffix.size()) + 15 * pointChars + 100, 260);
  w.Lg3.Width = w.Lg2.Width;
  w.Lg1.Visible = true;
  w.Lg2.Visible = true;
  w.Lg3.Visible = true;

  w.PimainFontSize = std::max(0.75 * (30 - s.BoardSize), kSmallestBoardFontSize);
  w.MenusEnabled = true;
  w.PicCheck.Width = s.BoardSize + 2;
  w.PicCheck.Height = s.BoardSize + 2;
  s.NoRecord = 0;

  for (int i = 1; i <= n; ++i) {
    w.La(i).Caption = s.Words(i);
    w.La2(i).Caption = PointsText(s.WordPoints(i));
    const Colour c = s.WordUsed(i) == 1 ? colour::kWhite : colour::kBlack;
    w.La(i).ForeColor = c;
    w.La2(i).ForeColor = c;
  }
  if (s.FontKind == font_kind::kRainbow) {
    for (int x = 0; x < s.BoardSize; ++x)
      for (int y = 0; y < s.BoardSize; ++y) s.CellColor(x, y) = RandomColour(g.p.Rng);
  }

  // The board is painted whole on every redraw, so it needs no clearing of
  // its own before the check.
  DrawBoard(g);
  BCheck(s);
  if (s.NoRecord == 0) s.BestScore = s.Score;
  s.FakeWordIndex = static_cast<Integer>(std::floor(g.p.Rng.Rnd() * 10 + 1));
  DrawBoard(g);
}

// Reads the file named in Text1 and, if the game can use it, puts it in
// play. A file it cannot use is refused with one box naming the file and the
// problem; then the puzzle in play, the window and the status box stay as
// they were before the command (`before`).
bool LoadFromText1(Game& g, const StatusBox& before) {
  const std::optional<QString> path = CurrentPuzzlePath(g.s.Formain);
  PuzzleFile puzzle;
  QString message;
  if (!path) {
    message = QStringLiteral("開くファイルが決まっていません。");
  } else if (ReadPuzzleFile(*path, &puzzle, &message)) {
    InstallPuzzle(g.s, puzzle);
    LayOutForPuzzle(g);
    return true;
  }
  before.RestoreInto(g.s);
  ShowMessage(g, message, kTitle, 1, QStringLiteral("Ok"));
  return false;
}

}  // namespace

std::optional<QString> CurrentPuzzlePath(const MainWindowState& w) {
  const QString beforeCaret = w.Text1.left(std::max(w.Text1Caret, 0));
  if (!beforeCaret.endsWith(kCrLf) || beforeCaret.size() <= kCrLf.size()) return std::nullopt;
  return beforeCaret.chopped(kCrLf.size());
}

QString PuzzleNameFromTitle(const QString& fileTitle) {
  const qsizetype dot = fileTitle.indexOf(QLatin1Char('.'));
  return dot < 0 ? fileTitle : fileTitle.left(dot);
}

const Chain& OpeningChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  static const Chain chain{
      {1, "ファイルを開きますか？", {yes, no}, {2, kOpenEnd}},
      {2, "ファイトを始めますか？", {yes, no}, {3, kOpenGoOn}},
      {3, "あ、そう。", {"Ok"}, {kOpenEnd}},
  };
  return chain;
}

const Chain& LoadingChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  const QString ok = QStringLiteral("Ok");
  static const Chain chain{
      {1, "このファイルを読み込みます。よろしいですか？", {yes, no}, {2, 2}},
      {2, "むしろこちらがお断りです。", {"わかった", "ちょっとまて"}, {kOpenEnd, 3}},
      {3, "では、改めてこのファイルを読み込みます。よろしいですね？", {yes, no}, {5, 4}},
      {4, "却下です。", {ok}, {5}},
      {5, "本当にこのファイルを読み込んでもいいですか？", {ok, "断る"}, {7, 6}},
      {6, "むしろこちらがお断りです。", {ok}, {kOpenEnd}},
      {7, "お断りしたい気持ちで一杯です。", {ok}, {8}},
      {8, "届けこの想い。", {ok}, {9}},
      {9, "届きましたか？", {"届いた", "届いていない"}, {11, 10}},
      {10, "あたらめて、届けこの想い！", {ok}, {11}},
      {11,
       "というわけで、このファイルを読み込んでもいいですか？",
       {"よみこんで", "もういいや"},
       {12, kOpenEnd}},
      {12, "おきのどくですが ぼうけんのしょはきえてしまいました", {ok}, {kOpenGoOn}},
  };
  return chain;
}

void ファイルを開く_Click(Game& g) {
  GameState& s = g.s;
  if (s.MessageMode == message_mode::kPersistent && OpeningChain().Run(g, 1) == kOpenEnd) return;

  const StatusBox before = StatusBox::Of(s);
  OpenFileRequest request;
  request.Title = QStringLiteral("ファイルを開く");
  request.Filters = {QStringLiteral("ミルテン用ファイル (*.mlt)"), QStringLiteral("*.mlt"),
                     QStringLiteral("全てのファイル"), QStringLiteral("*.*")};
  request.InitialFolder = s.AppPath;
  request.DefaultExtension = QStringLiteral("mlt");
  const std::optional<OpenFileResult> chosen = g.p.Files.GetOpenFileName(request);
  if (!chosen) {
    s.Formain.Text1 = QStringLiteral("キャンセルされました。");
    s.Formain.Text1Caret = 0;
    DrawBoard(g);
    return;
  }
  if (!NameIsUnambiguous(chosen->Path)) {
    // The dialog hands names over as text: opening this one by its text
    // would open (and a save overwrite) its twin.
    ShowMessage(g, UnrepresentableNameMessage(ShownFileName(chosen->Path)), kTitle, 1,
                QStringLiteral("Ok"));
    return;
  }
  PutPathInText1(s, chosen->Path);
  s.PuzzleName = PuzzleNameFromTitle(chosen->FileTitle);

  // A load the chain talks the player out of leaves the current file as it
  // was, just like a file that cannot be read: otherwise the next
  // "上書き保存..." would write the puzzle in play over the declined file.
  if (s.MessageMode == message_mode::kPersistent && LoadingChain().Run(g, 1) == kOpenEnd) {
    before.RestoreInto(s);
    return;
  }
  LoadFromText1(g, before);
}

bool OpenPuzzleArgument(Game& g, const QByteArray& argument) {
  if (NameRoundTrips(argument)) return OpenPuzzleFromCommandLine(g, QFile::decodeName(argument));
  ShowMessage(g, UnrepresentableNameMessage(ShownFileName(QFile::decodeName(argument))), kTitle, 1,
              QStringLiteral("Ok"));
  return false;
}

bool OpenPuzzleFromCommandLine(Game& g, const QString& path) {
  const StatusBox before = StatusBox::Of(g.s);
  const QFileInfo info(path);
  PutPathInText1(g.s, info.absoluteFilePath());
  g.s.PuzzleName = PuzzleNameFromTitle(info.fileName());
  return LoadFromText1(g, before);
}

}  // namespace numera
