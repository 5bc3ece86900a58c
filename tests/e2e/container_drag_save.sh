#!/usr/bin/env bash
# End to end in a real X server: dnovar-container opens a bag (Datum 2024-05-20), the pointer
# drags over the days 5..9 with real X events, Ctrl+S saves, and the saved bag holds Dlow 5 and
# Dhigh 9. Starts its own Xvfb and uses its own registry and files; every wait is bounded.
#   container_drag_save.sh PATH/TO/dnovar-container
set -euo pipefail

container=${1:?usage: $0 PATH/TO/dnovar-container}
source "$(dirname "$0")/x_session.sh"
x_session_start

# --- The container on a bag of 20 May 2024 (the 1st is a Wednesday: day d is in cell d + 1).
bag="$work/calendar.bag"
cat >"$bag" <<'BAG'
{"format": "dnovar-bag", "version": 1,
 "properties": [{"key": "Datum", "type": "date", "value": "2024-05-20"}]}
BAG
x_session_launch "$bag"
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'calendar\.bag' | head -n 1) ||
  fail "no window titled calendar.bag"

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
