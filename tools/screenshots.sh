#!/bin/bash
# Renders the real game window under a private X server (Xvfb) with a window
# manager (openbox) into PNG files for the documentation: the narrow window at
# start, a 10 x 10 puzzle in play, the solved 30 x 30 puzzle at zoom 1 and 2
# and on a 1366 x 768 screen, the night sky, a message box and the settings
# window, plus the 10 x 10 puzzle at a device pixel ratio of 2.
#
#   tools/screenshots.sh BUILD_DIR [OUTPUT_DIR]     (OUTPUT_DIR defaults to docs/)
#
# Needs xvfb, xdotool, imagemagick and python3; the puzzles in play are the
# bundled ones with words placed by the same rules the game applies.
here=$(cd "$(dirname "$0")" && pwd)
out=$(mkdir -p "${2:-$here/../docs}" && cd "${2:-$here/../docs}" && pwd)
source "$here/../tests/e2e/lib.sh" "$1"
e2e_require xprop
e2e_prepare_game
E2E_SCREEN=1920x1080 e2e_start_x
e2e_start_wm
python3 "$here/screenshots.py" "$E2E_GAME" "$BUILD_DIR" "$out" main
E2E_SCREEN=1366x768 e2e_start_x
e2e_start_wm
python3 "$here/screenshots.py" "$E2E_GAME" "$BUILD_DIR" "$out" small
