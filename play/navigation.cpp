#include "play/navigation.h"

#include "core/sound.h"
#include "core/wait.h"
#include "play/word_labels.h"

namespace numera {

namespace {

void MoveSelectionTo(Game& g, int t) {
  GameState& s = g.s;
  PlaySlot(g, sound_slot::kSelection);
  SetWordColour(s, s.SelectedIndex, colour::kBlack);
  s.SelectedIndex = t;
  SetWordColour(s, t, colour::kLightBlue);
  s.SelectedWord = s.Words(t);
  s.SelectedPoints = s.WordPoints(t);
  Wait(g, 80);
}

}  // namespace

void SelectPrevWord(Game& g) {
  GameState& s = g.s;
  if (!HasSelection(s)) return;
  int i = s.SelectedIndex - 1;
  if (i == 0) i = s.WordCount;
  for (;;) {
    if (s.WordUsed(i) != 1) {
      MoveSelectionTo(g, i);
      return;
    }
    i = i - 1;
    if (i == s.SelectedIndex) return;
    if (i == 0) i = s.WordCount;
  }
}

void SelectNextWord(Game& g) {
  GameState& s = g.s;
  if (!HasSelection(s)) return;
  int i = s.SelectedIndex + 1;
  if (i == s.WordCount + 1) i = 1;
  for (;;) {
    if (s.WordUsed(i) != 1) {
      MoveSelectionTo(g, i);
      return;
    }
    i = i + 1;
    if (i == s.SelectedIndex) return;
    if (i == s.WordCount + 1) i = 1;
  }
}

void SelectLeftWord(Game& g) {
  GameState& s = g.s;
  const double h = (s.WordCount + 1) / 2.0;
  if (s.SelectedIndex <= h || !HasSelection(s)) return;
  const int t = s.SelectedIndex - static_cast<int>(h);
  if (s.WordUsed(t) != 1) MoveSelectionTo(g, t);
}

void SelectRightWord(Game& g) {
  GameState& s = g.s;
  const double h = (s.WordCount + 1) / 2.0;
  if (s.SelectedIndex >= h || !HasSelection(s)) return;
  const int t = s.SelectedIndex + static_cast<int>(h);
  if (s.WordUsed(t) != 1) MoveSelectionTo(g, t);
}

void PollKeys(Game& g) {
  KeyPoller& keys = g.p.Keys;
  // The first round only clears the "pressed since last asked" memory of the
  // key state, so the second answers whether the key is down now.
  for (int vk : {kVkReturn, kVkLeft, kVkRight, kVkUp, kVkDown}) keys.GetAsyncKeyState(vk);
  if (keys.GetAsyncKeyState(kVkUp) != 0) SelectPrevWord(g);
  if (keys.GetAsyncKeyState(kVkDown) != 0) SelectNextWord(g);
  if (keys.GetAsyncKeyState(kVkLeft) != 0) SelectLeftWord(g);
  if (keys.GetAsyncKeyState(kVkRight) != 0) SelectRightWord(g);
}

}  // namespace numera
