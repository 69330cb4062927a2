# Wayland: the game started natively (Qt's Wayland platform, no X server)
# under a headless weston, with a bundled puzzle named on the command line.
# Its window must come up titled ぬめら at the puzzle's design size (the
# protocol log shows what the game asks of the compositor), the game must
# stay up, and it must end on SIGTERM like any program, not by a crash.
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || e2e_skip "weston is not installed (see tools/install-deps.sh)"
[[ -n $(find /usr/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' -print -quit) ]] ||
  e2e_skip "Qt's Wayland platform is not installed (qt6-wayland)"
[[ -x "$BUILD_DIR/numera" ]] || { echo "FAILED: build the game first"; exit 1; }
e2e_prepare_game 0 0 0 0
cp "$BUILD_DIR/doubutsu.mlt" "$E2E_GAME/"

# Weston wants a runtime folder of its own, readable by its owner only.
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=numera-e2e
e2e_background "[[ -S $XDG_RUNTIME_DIR/$socket ]]" "$E2E_TMP/weston.log" \
  weston --backend=headless-backend.so --socket="$socket" --width=1366 --height=768 \
  --idle-time=0 || { echo "FAILED: weston did not start: $(tail -n 3 "$E2E_TMP/weston.log")"; exit 1; }

log=$E2E_TMP/numera.log
(cd "$E2E_GAME" && exec env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" \
  WAYLAND_DEBUG=1 ./numera doubutsu.mlt) >"$log" 2>&1 &
game=$!
E2E_PIDS+=("$game")
shown=""
for _ in $(seq 100); do
  # 10 x 10 widens the window from the start-up strip to 393 x 538.
  grep -q 'set_title("ぬめら")' "$log" && grep -q 'create_buffer(.*, 393, 538,' "$log" &&
    { shown=yes; break; }
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
[[ -n $shown ]] || { grep -v '^\[' "$log" | tail -n 5; echo "FAILED: no window of 393 x 538 titled ぬめら"; exit 1; }
echo "  a native Wayland window titled ぬめら, 393 x 538: doubutsu opened"
sleep 2
kill -0 "$game" 2>/dev/null || { grep -v '^\[' "$log" | tail -n 5; echo "FAILED: the game ended by itself"; exit 1; }
echo "  still up 2 s later"
status=0
kill -TERM "$game"
wait "$game" || status=$?
[[ $status -eq 143 ]] || { echo "FAILED: the game ended with status $status on SIGTERM"; exit 1; }
if grep -E 'error|[Cc]ould not' "$log" | grep -v 'pa_context_connect'; then
  echo "FAILED: the game or the compositor reported the errors above"
  exit 1
fi
echo "  ended on SIGTERM (status 143), no protocol error"
echo "wayland e2e: passed"
