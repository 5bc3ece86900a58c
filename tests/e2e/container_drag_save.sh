#!/usr/bin/env bash
# End to end in a real X server: dnovar-container opens a bag (Datum 2024-05-20), the pointer
# drags over the days 5..9 with real X events, Ctrl+S saves, and the saved bag holds Dlow 5 and
# Dhigh 9. Starts its own Xvfb and uses its own registry and files; every wait is bounded.
#   container_drag_save.sh PATH/TO/dnovar-container
set -euo pipefail

container=${1:?usage: $0 PATH/TO/dnovar-container}
readonly skip=77  # CTest's SKIP_RETURN_CODE
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit "$skip"; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/dnovar-e2e.XXXXXX")
xvfb_pid=""
app_pid=""

stop() {  # PID: TERM, a bounded wait, then KILL
  local pid=$1
  [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
}

cleanup() {
  local status=$?
  stop "$app_pid"
  stop "$xvfb_pid"
  if [[ $status -ne 0 ]]; then
    echo "--- container output"; cat "$work/out" 2>/dev/null || true
    echo "--- container errors"; cat "$work/err" 2>/dev/null || true
    echo "--- Xvfb"; cat "$work/xvfb.log" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() { echo "FAIL: $*"; exit 1; }

# wait_for SECONDS COMMAND...: retries the command every 0.1 s until it succeeds or time is up.
wait_for() {
  local tenths=$(($1 * 10)); shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# xdotool, bounded: a window or pointer that never comes must not hang the test.
x() { timeout 10 xdotool "$@"; }

# --- X server on a free display, which it names itself once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
export DNOVAR_REGISTRY="$work/registry.json"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

# --- The container on a bag of 20 May 2024 (the 1st is a Wednesday: day d is in cell d + 1).
bag="$work/calendar.bag"
cat >"$bag" <<'BAG'
{"format": "dnovar-bag", "version": 1,
 "properties": [{"key": "Datum", "type": "date", "value": "2024-05-20"}]}
BAG
: >"$work/out"  # before the background job opens it, so the waits below can read it at once
"$container" --print-geometry "$bag" >"$work/out" 2>"$work/err" &
app_pid=$!

wait_for 60 grep -q '^control ' "$work/out" || fail "the container did not report where the control is"
read -r _ origin_x origin_y ratio < <(grep -m 1 '^control ' "$work/out")
[[ "$origin_x" =~ ^[0-9]+$ && "$origin_y" =~ ^[0-9]+$ ]] || fail "no control on the window: $origin_x $origin_y"
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'calendar\.bag' | head -n 1) ||
  fail "no window titled calendar.bag"

# The centre of day cell i, in window pixels: the surface puts it at 1200 + 360 * (i / 7),
# 1320 + 240 * (i % 7) twips (15 to a pixel) and makes it 255 twips square.
cell_point() {
  awk -v i="$1" -v x="$origin_x" -v y="$origin_y" -v r="$ratio" 'BEGIN {
    col = int(i / 7); row = i % 7
    printf "%d %d\n", (x + (1200 + 360 * col + 127) / 15) * r, (y + (1320 + 240 * row + 127) / 15) * r }'
}
read -r start_x start_y < <(cell_point 6)   # 5 May
read -r end_x end_y < <(cell_point 10)      # 9 May

# --- The drag. The control completes it at the first move after the release, in the end cell.
x mousemove --window "$window" --sync "$start_x" "$start_y"
x mousedown 1
sleep 0.1
x mousemove --window "$window" "$((start_x + 2))" "$start_y"
sleep 0.1
x mousemove --window "$window" "$end_x" "$end_y"
sleep 0.1
x mouseup 1
sleep 0.1
x mousemove --window "$window" "$((end_x + 1))" "$end_y"
sleep 0.2

# --- Ctrl+S to the container's window.
x windowfocus --sync "$window" || fail "cannot focus the window"
x key ctrl+s
wait_for 20 grep -q "^saved $bag\$" "$work/out" || fail "Ctrl+S did not save"

# --- The saved bag (members sorted by name; white space does not count).
saved=$(tr -d ' \n\t' <"$bag")
expect_key() {
  [[ "$saved" == *"$1"* ]] || fail "the saved bag lacks $1: $(cat "$bag")"
}
expect_key '{"key":"Datum","type":"date","value":"2024-05-20"}'
expect_key '{"key":"Dlow","type":"i2","value":5}'
expect_key '{"key":"Dhigh","type":"i2","value":9}'
if grep -q '^error ' "$work/out"; then fail "the container logged an error"; fi
kill -0 "$app_pid" 2>/dev/null || fail "the container did not keep running"
[[ -s "$DNOVAR_REGISTRY" ]] || fail "the module was not registered in the test's registry"
echo "ok: dragged 5..9 May, saved Dlow 5, Dhigh 9"
