# A bundled puzzle played through the real window: opened with the file
# dialog, words selected with clicks and the arrow keys, placed with the left
# and right buttons, one taken back, saved with 上書き保存..., and the saved
# file read back with numera-puzzle.
source "$(dirname "$0")/lib.sh"
e2e_require
e2e_start_x
e2e_prepare_game
e2e_write_data_dat 0 0 0 0

# The first bundled puzzle of 10 x 10 with nothing placed yet.
puzzle=""
for candidate in "$BUILD_DIR"/*.mlt; do
  [[ -e "$candidate" ]] || continue
  if "$NUMERA_PUZZLE" info "$candidate" | python3 -c '
import json, sys
p = json.load(sys.stdin)
sys.exit(0 if p["board_size"] == 10 and p["placed_count"] == 0 else 1)'; then
    puzzle=$candidate
    break
  fi
done
[[ -n "$puzzle" ]] || { echo "FAILED: no fresh 10 x 10 puzzle among $BUILD_DIR/*.mlt"; exit 1; }
echo "puzzle: ${puzzle##*/}"
cp "$puzzle" "$E2E_GAME/bundled.mlt"
python3 "$E2E_DIR/play_puzzle.py" "$E2E_GAME" "$E2E_GAME/bundled.mlt" "$NUMERA_PUZZLE"
