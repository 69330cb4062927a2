#include "play/board_check.h"

#include "play/board_rules.h"

namespace numera {

void BCheck(GameState& s) {
  int reached = 0;
  const bool complete = BoardComplete(TextCells{s.Board}, s.BoardSize, s.CheckFlag, &reached);
  s.CheckCount = static_cast<Integer>(reached);
  s.NoRecord = complete ? 0 : 1;
}

}  // namespace numera
