# Shared set-up of the end-to-end tests (and of the benchmark and the
# screenshots): a private X server, a private copy of the game, and clean-up
# on every exit. Sourced by scripts run as `bash SCRIPT BUILD_DIR`; exit code
# 77 means "skipped".

set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD_DIR=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
NUMERA_PUZZLE="$BUILD_DIR/numera-puzzle"
E2E_PIDS=()
E2E_TMP=$(mktemp -d /tmp/numera-e2e.XXXXXX)

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [[ -n "${E2E_KEEP:-}" ]]; then echo "e2e: kept $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
}
trap e2e_cleanup EXIT

e2e_skip() { echo "SKIPPED: $*"; exit 77; }

# Needs: the tools (and any named), and a game that has been built.
e2e_require() {
  local tool
  for tool in Xvfb xdotool import python3 "$@"; do
    command -v "$tool" >/dev/null || e2e_skip "$tool is not installed (see tools/install-deps.sh)"
  done
  [[ -x "$BUILD_DIR/numera" && -x "$NUMERA_PUZZLE" ]] || { echo "FAILED: build the game first"; exit 1; }
}

# Runs a program in the background until the end, and waits up to 5 s for
# a probe command to succeed; a program that ends first counts as failed.
e2e_background() {
  local probe=$1 log=$2 tries
  shift 2
  "$@" >"$log" 2>&1 &
  E2E_PIDS+=($!)
  for tries in $(seq 50); do
    eval "$probe" >/dev/null 2>&1 && return 0
    kill -0 "${E2E_PIDS[-1]}" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Starts Xvfb (a screen of $E2E_SCREEN, 1920x1200 unless set) on the first
# free display from :90 on and exports DISPLAY.
e2e_start_x() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    e2e_background "DISPLAY=:$n xdotool getmouselocation" "$E2E_TMP/xvfb.log" \
      Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1920x1200}x24" -nolisten tcp -noreset &&
      { export DISPLAY=":$n"; return 0; }
    kill "${E2E_PIDS[-1]}" 2>/dev/null || true
  done
  e2e_skip "no X server could be started (Xvfb: $(tail -n 1 "$E2E_TMP/xvfb.log" 2>/dev/null))"
}

# Starts openbox, with a home of its own, on that X server.
e2e_start_wm() {
  command -v openbox >/dev/null || e2e_skip "openbox is not installed (apt-get install openbox)"
  e2e_background "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" \
    "$E2E_TMP/openbox.log" env HOME="$E2E_TMP" openbox ||
    { echo "FAILED: openbox did not start: $(tail -n 1 "$E2E_TMP/openbox.log")"; exit 1; }
}

# A game folder of our own: the program, its sounds and (given settings)
# Data.dat: CrossKind BackgroundKind FontKind MessageMode, then the sound
# switches; the rest 0. The player's own settings (the zoom) and home stay
# out of reach as well.
e2e_prepare_game() {
  E2E_GAME="$E2E_TMP/game"
  mkdir -p "$E2E_GAME/Data" "$E2E_TMP/home"
  cp "$BUILD_DIR/numera" "$E2E_GAME/"
  cp "$BUILD_DIR"/Data/sound*.wav "$E2E_GAME/Data/"
  export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/config"
  python3 -c 'import struct, sys; v = [int(a) for a in sys.argv[2:]]
open(sys.argv[1], "wb").write(struct.pack("<24h", *v, *[0] * (24 - len(v))))' \
    "$E2E_GAME/Data/Data.dat" "$@"
}

# The zoom the player chose, in the private settings e2e_prepare_game set up.
e2e_store_zoom() {
  mkdir -p "$XDG_CONFIG_HOME/numera"
  printf '[General]\nzoom=%s\n' "$1" >"$XDG_CONFIG_HOME/numera/numera.conf"
}
