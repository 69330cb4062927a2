# One press, one answer, with the X server's auto-repeat, and boxes that fit
# a small screen: without a window manager, then under openbox.
source "$(dirname "$0")/lib.sh"
e2e_require xprop
E2E_SCREEN=1366x768 e2e_start_x
e2e_prepare_game 0 0 0 2
e2e_store_zoom 3
python3 "$E2E_DIR/held_keys.py" "$E2E_GAME" "no window manager"
e2e_start_wm
python3 "$E2E_DIR/held_keys.py" "$E2E_GAME" "openbox"
