# Start-up under the persistent message setting: the chain of boxes walked
# by clicking each button where the box's layout puts it, to the end that
# quits.
source "$(dirname "$0")/lib.sh"
e2e_require
e2e_start_x
e2e_prepare_game 0 0 0 2
python3 "$E2E_DIR/startup_chain.py" "$E2E_GAME"
