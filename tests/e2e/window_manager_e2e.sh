# Under a real window manager the sizes the game sets are outer sizes, frame
# and title bar included; on a small screen the zoom stays within it.
source "$(dirname "$0")/lib.sh"
e2e_require xprop
E2E_SCREEN=1366x768 e2e_start_x
e2e_start_wm
e2e_prepare_game 0 0 0 0
e2e_store_zoom 1
cp "$BUILD_DIR/doubutsu.mlt" "$E2E_GAME/"
python3 "$E2E_DIR/window_manager.py" "$E2E_GAME"
