# Sourced by the end-to-end tests: a private Xvfb, a container started in it, bounded waits and
# xdotool calls, and clean-up of both (with their output when the test fails).
#   x_session_start          starts Xvfb, exports DISPLAY and a registry of the test's own
#   x_session_launch ARGS... starts "$container" ARGS with output in $work/out and $work/err
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

# The X server on a free display, which it names itself once it accepts connections.
x_session_start() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  export QT_QPA_PLATFORM=xcb
  export DNOVAR_REGISTRY="$work/registry.json"
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
}

# Starts the container with --print-geometry and ARGS and reads where the control is into
# origin_x, origin_y and ratio.
x_session_launch() {
  : >"$work/out"  # before the background job opens it, so the waits below can read it at once
  "$container" --print-geometry "$@" >"$work/out" 2>"$work/err" &
  app_pid=$!
  wait_for 60 grep -q '^control ' "$work/out" || fail "the container did not report where the control is"
  read -r _ origin_x origin_y ratio < <(grep -m 1 '^control ' "$work/out")
  [[ "$origin_x" =~ ^[0-9]+$ && "$origin_y" =~ ^[0-9]+$ ]] || fail "no control on the window: $origin_x $origin_y"
}

# The centre of day cell i, in window pixels: the surface puts it at 1200 + 360 * (i / 7),
# 1320 + 240 * (i % 7) twips (15 to a pixel) and makes it 255 twips square.
cell_point() {
  awk -v i="$1" -v x="$origin_x" -v y="$origin_y" -v r="$ratio" 'BEGIN {
    col = int(i / 7); row = i % 7
    printf "%d %d\n", (x + (1200 + 360 * col + 127) / 15) * r, (y + (1320 + 240 * row + 127) / 15) * r }'
}

# The container on a bag of 20 May 2024 ($bag; the 1st is a Wednesday: day d is in cell d + 1),
# its window in $window.
x_session_open_may_2024() {
  bag="$work/calendar.bag"
  cat >"$bag" <<'BAG'
{"format": "dnovar-bag", "version": 1,
 "properties": [{"key": "Datum", "type": "date", "value": "2024-05-20"}]}
BAG
  x_session_launch "$bag"
  window=$(timeout 30 xdotool search --sync --onlyvisible --name 'calendar\.bag' | head -n 1) ||
    fail "no window titled calendar.bag"
}

# save_and_expect MEMBER...: Ctrl+S to the container's window; the saved $bag must hold each
# MEMBER (as JSON without white space; members sorted by name), the container must have logged no
# error and must keep running.
save_and_expect() {
  x windowfocus --sync "$window" || fail "cannot focus the window"
  x key ctrl+s
  wait_for 20 grep -q "^saved $bag\$" "$work/out" || fail "Ctrl+S did not save"
  local saved member
  saved=$(tr -d ' \n\t' <"$bag")
  for member in "$@"; do
    [[ "$saved" == *"$member"* ]] || fail "the saved bag lacks $member: $(cat "$bag")"
  done
  if grep -q '^error ' "$work/out"; then fail "the container logged an error"; fi
  kill -0 "$app_pid" 2>/dev/null || fail "the container did not keep running"
}
