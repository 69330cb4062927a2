# Start-up under the persistent message setting: the chain of boxes is
# walked by clicking each button where the box's layout puts it, once to the
# end that quits and once through a detour to the main window.
source "$(dirname "$0")/lib.sh"
e2e_require
e2e_start_x
e2e_prepare_game
e2e_write_data_dat 0 0 0 2
python3 "$E2E_DIR/startup_chain.py" "$E2E_GAME"
