# Shared set-up of the end-to-end tests: a private X server, a private copy of
# the game, and clean-up on every exit. Sourced by the *_e2e.sh scripts,
# which are run as `bash SCRIPT BUILD_DIR`; exit code 77 means "skipped".

set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD_DIR=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
NUMERA_PUZZLE="$BUILD_DIR/numera-puzzle"
E2E_PIDS=()
E2E_TMP=$(mktemp -d /tmp/numera-e2e.XXXXXX)

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  if [[ -n "${E2E_KEEP:-}" ]]; then
    echo "e2e: kept $E2E_TMP"
  else
    rm -rf "$E2E_TMP"
  fi
}
trap e2e_cleanup EXIT

e2e_skip() {
  echo "SKIPPED: $*"
  exit 77
}

# Needs: the tools (and any named), and a game that has been built.
e2e_require() {
  local tool
  for tool in Xvfb xdotool python3 "$@"; do
    command -v "$tool" >/dev/null || e2e_skip "$tool is not installed (apt-get install xvfb xdotool python3)"
  done
  [[ -x "$BUILD_DIR/numera" ]] || { echo "FAILED: $BUILD_DIR/numera is missing"; exit 1; }
  [[ -x "$NUMERA_PUZZLE" ]] || { echo "FAILED: $NUMERA_PUZZLE is missing"; exit 1; }
}

# Starts Xvfb on the first free display from :90 on and exports DISPLAY.
e2e_start_x() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local tries
    for tries in $(seq 50); do
      if DISPLAY=":$n" xdotool getmouselocation >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "${E2E_PIDS[-1]}" 2>/dev/null || break
      sleep 0.1
    done
    kill "${E2E_PIDS[-1]}" 2>/dev/null || true
  done
  e2e_skip "no X server could be started (Xvfb failed: $(tail -n 1 "$E2E_TMP/xvfb.log" 2>/dev/null))"
}

# Starts openbox on that X server, with a home of its own, and waits until
# it manages windows.
e2e_start_wm() {
  command -v openbox >/dev/null || e2e_skip "openbox is not installed (apt-get install openbox)"
  HOME="$E2E_TMP" openbox >"$E2E_TMP/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  local tries
  for tries in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  echo "FAILED: openbox did not start: $(tail -n 1 "$E2E_TMP/openbox.log")"
  exit 1
}

# A game folder of our own: the program and its sounds.
e2e_prepare_game() {
  local game="$E2E_TMP/game"
  mkdir -p "$game/Data"
  cp "$BUILD_DIR/numera" "$game/"
  cp "$BUILD_DIR"/Data/sound*.wav "$game/Data/"
  E2E_GAME="$game"
}

# Data.dat: CrossKind BackgroundKind FontKind MessageMode, then the sound
# switches given; the rest 0.
e2e_write_data_dat() {
  python3 - "$E2E_GAME/Data/Data.dat" "$@" <<'PY'
import struct, sys
values = [int(v) for v in sys.argv[2:]]
values += [0] * (24 - len(values))
with open(sys.argv[1], "wb") as f:
    f.write(struct.pack("<24h", *values))
PY
}
