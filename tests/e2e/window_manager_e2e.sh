# Under a real window manager the sizes the game sets are outer sizes, frame
# and title bar included.
source "$(dirname "$0")/lib.sh"
e2e_require xprop
e2e_start_x
e2e_start_wm
e2e_prepare_game 0 0 0 0
cp "$BUILD_DIR/doubutsu.mlt" "$E2E_GAME/"
python3 "$E2E_DIR/window_manager.py" "$E2E_GAME"
