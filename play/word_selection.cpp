#include "play/word_selection.h"

#include "core/draw_board.h"
#include "core/sound.h"
#include "dialogs/message_box.h"
#include "play/board_check.h"
#include "play/word_chain.h"
#include "play/word_labels.h"

namespace numera {

namespace {

// Only the left and right buttons act on the list. The middle button would
// leave a placed word selected with no way back (only a right release ends
// the orange display), and the board would then place it a second time.
bool IsPlayButton(int button) {
  return button == kLeftButton || button == kRightButton;
}

// Pressing the selected word again: deselect it, unless it is a placed word
// being shown (orange), which ends on release instead.
void PressSelectedWord(Game& g, int i) {
  GameState& s = g.s;
  if (s.Formain.La(i).ForeColor == colour::kOrange) return;
  if (s.MessageMode == message_mode::kPersistent)
    ShowMessage(g, QStringLiteral("えっ？"), kTitle, 1, QStringLiteral("Ok"));
  SetWordColour(s, i, colour::kBlack);
  s.SelectedIndex = 0;
}

void SelectWord(GameState& s, int i) {
  s.SelectedIndex = i;
  SetWordColour(s, i, colour::kLightBlue);
  s.SelectedWord = s.Words(i);
  s.SelectedPoints = s.WordPoints(i);
}

// Takes placed word i off the board. The board is rebuilt from the placed
// words, so its letters and end marks go with the redraw; letters it shared
// with other words stay.
void TakeBack(Game& g, int i) {
  GameState& s = g.s;
  if (s.MessageMode == message_mode::kPersistent) ConfirmWordChoice(g);
  s.WordUsed(i) = 0;
  s.PlacedCount = s.PlacedCount - 1;
  s.Score = s.Score - s.WordPoints(i);
  SetWordColour(s, i, colour::kBlack);
  s.SelectedIndex = 0;
  DrawBoard(g);
  BCheck(s);
  if (s.NoRecord == 0 && s.BestScore < s.Score) s.BestScore = s.Score;
}

}  // namespace

void La_MouseDown(Game& g, Integer index, Integer button) {
  GameState& s = g.s;
  const int i = index;
  if (!IsPlayButton(button) || i < 1 || i > s.WordCount) return;
  PlaySlot(g, sound_slot::kSelection);

  if (HasSelection(s)) {
    const int selected = s.SelectedIndex;
    if (i == selected) {
      PressSelectedWord(g, i);
    } else if (s.WordUsed(i) == 0) {
      SetWordColour(s, selected, colour::kBlack);
      SelectWord(s, i);
    }
    return;
  }

  s.SelectedIndex = i;
  if (s.WordUsed(i) != 1) {
    SelectWord(s, i);
  } else if (button == kLeftButton) {
    TakeBack(g, i);
  } else {
    // Shown while the right button is held: the redraw paints its cells
    // orange because its label is orange.
    SetWordColour(s, i, colour::kOrange);
  }
}

void La_MouseUp(Game& g, Integer index, Integer button) {
  GameState& s = g.s;
  const int i = index;
  if (!IsPlayButton(button)) return;
  if (i >= 1 && i <= s.WordCount && i == s.SelectedIndex && s.WordUsed(i) == 1 &&
      button == kRightButton) {
    SetWordColour(s, i, colour::kWhite);
    s.SelectedIndex = 0;
  }
  ClearCellFlags(s);
}

void La2_MouseDown(Game& g, Integer index, Integer button) {
  La_MouseDown(g, index, button);
}

void La2_MouseUp(Game& g, Integer index, Integer button) {
  La_MouseUp(g, index, button);
}

}  // namespace numera
