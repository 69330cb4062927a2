#!/bin/bash
# Renders the real game window under a private X server (Xvfb) into PNG files
# for the documentation: the narrow window at start, a 10 x 10 and a 30 x 30
# puzzle in play, a message box and the settings window, plus the 10 x 10
# puzzle at a device pixel ratio of 2.
#
#   tools/screenshots.sh BUILD_DIR [OUTPUT_DIR]     (OUTPUT_DIR defaults to docs/)
#
# Needs xvfb, xdotool, imagemagick and python3; the puzzles in play are the
# bundled ones with words placed by the same rules the game applies.
here=$(cd "$(dirname "$0")" && pwd)
out=$(mkdir -p "${2:-$here/../docs}" && cd "${2:-$here/../docs}" && pwd)
source "$here/../tests/e2e/lib.sh" "$1"
e2e_require import
e2e_start_x
e2e_prepare_game
e2e_write_data_dat 0 0 0 0
python3 "$here/screenshots.py" "$E2E_GAME" "$BUILD_DIR" "$out"
