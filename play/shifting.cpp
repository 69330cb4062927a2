#include "play/shifting.h"

#include <cmath>

#include "dialogs/chain.h"

namespace numera {

namespace {

constexpr int kYes = -1;
constexpr int kNo = -2;

// Step 1 opens the chain; then the same question four times, with "はい"
// first (step 10 x round) or "いいえ" first (the step after), chosen at random
// for each round. The rounds have steps of their own, so every box of the
// chain is told apart from the others.
const Chain& ShiftChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  const QString really = QStringLiteral("本当に移動させてもいいですか？");
  static const Chain chain{
      {1, "移動させてもよろしいですか？", {yes, no}, {kYes, kNo}},
      {10, really, {yes, no}, {kYes, kNo}},
      {11, really, {no, yes}, {kNo, kYes}},
      {20, really, {yes, no}, {kYes, kNo}},
      {21, really, {no, yes}, {kNo, kYes}},
      {30, really, {yes, no}, {kYes, kNo}},
      {31, really, {no, yes}, {kNo, kYes}},
      {40, really, {yes, no}, {kYes, kNo}},
      {41, really, {no, yes}, {kNo, kYes}},
  };
  return chain;
}

bool ConfirmShift(Game& g) {
  const Chain& chain = ShiftChain();
  if (chain.Run(g, 1) != kYes) return false;
  for (int round = 1; round <= 4; ++round) {
    const int swapped = static_cast<int>(std::floor(g.p.Rng.Rnd() * 2));
    if (chain.Run(g, 10 * round + swapped) != kYes) return false;
  }
  return true;
}

bool IsLetter(const QString& cell) {
  return !cell.isEmpty() && cell != kCross;
}

// A letter in the edge line the board would be pushed over refuses the
// shift; end marks there do not.
bool EdgeHoldsLetter(const GameState& s, int d) {
  const int n = s.BoardSize;
  for (int i = 0; i <= n - 1; ++i) {
    int x = 0, y = 0;
    switch (d) {
      case shift_direction::kLeft:
        x = 0, y = i;
        break;
      case shift_direction::kRight:
        x = n - 1, y = i;
        break;
      case shift_direction::kUp:
        x = i, y = 0;
        break;
      default:
        x = i, y = n - 1;
        break;
    }
    if (IsLetter(s.Board(x, y))) return true;
  }
  return false;
}

void MoveCell(GameState& s, int fromX, int fromY, int toX, int toY) {
  s.Board(toX, toY) = s.Board(fromX, fromY);
  s.Board(fromX, fromY).clear();
}

// Moves the cells one step, each copy followed at once by emptying its
// source, in an order that never overwrites a cell before it has moved.
void MoveCells(GameState& s, int d) {
  const int n = s.BoardSize;
  switch (d) {
    case shift_direction::kLeft:
      for (int y = 0; y <= n - 1; ++y)
        for (int x = 0; x <= n - 1; ++x) MoveCell(s, x, y, x - 1, y);
      break;
    case shift_direction::kRight:
      for (int y = 0; y <= n - 1; ++y)
        for (int x = n - 2; x >= 0; --x) MoveCell(s, x, y, x + 1, y);
      break;
    case shift_direction::kUp:
      for (int y = 1; y <= n - 1; ++y)
        for (int x = 0; x <= n - 1; ++x) MoveCell(s, x, y, x, y - 1);
      break;
    default:
      for (int y = n - 2; y >= 0; --y)
        for (int x = 0; x <= n - 1; ++x) MoveCell(s, x, y, x, y + 1);
      break;
  }
}

// The records are what lasts: the next redraw rebuilds the board from them.
void MoveWords(GameState& s, int d) {
  for (int i = 1; i <= s.WordCount; ++i) {
    if (s.WordUsed(i) != 1) continue;
    switch (d) {
      case shift_direction::kLeft:
        s.WordX(i) = static_cast<Integer>(s.WordX(i) - 1);
        break;
      case shift_direction::kRight:
        s.WordX(i) = static_cast<Integer>(s.WordX(i) + 1);
        break;
      case shift_direction::kUp:
        s.WordY(i) = static_cast<Integer>(s.WordY(i) - 1);
        break;
      default:
        s.WordY(i) = static_cast<Integer>(s.WordY(i) + 1);
        break;
    }
  }
}

}  // namespace

void Co_Click(Game& g, Integer index) {
  GameState& s = g.s;
  const int d = index;
  if (d < shift_direction::kLeft || d > shift_direction::kDown) return;
  g.p.Win.FocusBoard();
  const int refused = EdgeHoldsLetter(s, d) ? 1 : 0;
  if (refused == 0 && s.MessageMode == message_mode::kPersistent && !ConfirmShift(g)) return;
  if (s.SoundSwitch(sound_slot::kShift) == 1)
    g.p.Sound.Play(s.SoundData(refused == 1 ? sound_slot::kRefusedShift : sound_slot::kShift));
  if (refused == 1) return;
  MoveCells(s, d);
  MoveWords(s, d);
  // The picture is repainted whole by the next redraw of the main loop.
}

}  // namespace numera
