# A bundled puzzle played through the real window: opened with the file
# dialog, words selected with clicks and the arrow keys, placed with the left
# and right buttons, one taken back, saved with 上書き保存..., and the saved
# file read back with numera-puzzle.
source "$(dirname "$0")/lib.sh"
e2e_require
e2e_start_x
e2e_prepare_game 0 0 0 0

cp "$BUILD_DIR/doubutsu.mlt" "$E2E_GAME/bundled.mlt"
python3 "$E2E_DIR/play_puzzle.py" "$E2E_GAME" "$E2E_GAME/bundled.mlt" "$NUMERA_PUZZLE"
