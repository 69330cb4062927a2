#!/bin/bash
# Prints the game's measured figures: launch time, idle CPU with a 30 x 30
# puzzle open, press-to-repaint latency, peak memory. The real game runs in a
# private X server (Xvfb); input goes through XTest and repaints are seen
# through the server's Damage events, so nothing inside the game is changed.
#
#   bench/figures.sh BUILD_DIR [launch] [idle] [latency] [memory]
#
# Needs xvfb, xdotool, imagemagick and python3 (and the libXtst/libXdamage
# that come with them and with Qt). Best run on an otherwise idle machine.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/lib.sh" "$1"
shift
e2e_require
E2E_SCREEN=2400x1800 e2e_start_x  # room for the window at zoom 3
e2e_prepare_game 0 0 0 0
python3 "$here/figures.py" "$E2E_GAME" "$BUILD_DIR" "$@"
