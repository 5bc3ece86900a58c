#!/usr/bin/env bash
# End to end in a real X server, on the Windows container under Wine (the x11 graphics driver in
# a prefix of the test's own): dnovar-container.exe opens a bag (Datum 2024-05-20) into the
# registered dnovar.ocx, the pointer drags over the days 5..9 with real X events, Ctrl+S saves
# and the saved bag holds Dlow 5 and Dhigh 9; then Alt+D (the control's Dnes button) moves the
# calendar to today, which the next Ctrl+S saves, and Alt+Z raises the event Zavri. Every wait is
# bounded.
#   win32_container_drag_save.sh PATH/TO/dnovar-container.exe PATH/TO/dnovar.ocx
set -euo pipefail
container=$(realpath "${1:?usage: $0 CONTAINER.exe DNOVAR.ocx}")
ocx=$(realpath "${2:?usage: $0 CONTAINER.exe DNOVAR.ocx}")
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/wine_prefix.sh"
# The session's clean-up, with the prefix's server stopped first.
eval "$(declare -f cleanup | sed '1s/^cleanup/x_session_cleanup/')"
cleanup() {
  local status=$?
  stop "$app_pid"
  wine_prefix_stop
  set +e  # the status goes on to the session's clean-up, which prints the output on failure
  (exit "$status")
  x_session_cleanup
}
trap cleanup EXIT
x_session_start
wine_prefix_start x11 "$ocx"

bag="$work/calendar.bag"
cat >"$bag" <<'BAG'
{"format": "dnovar-bag", "version": 1,
 "properties": [{"key": "Datum", "type": "date", "value": "2024-05-20"}]}
BAG
cd "$work"
: >"$work/out"
wine "$container" --print-geometry "$bag" > >(stdbuf -oL tr -d '\r' >"$work/out") 2>"$work/err" &
app_pid=$!
wait_for 90 grep -q '^screen ' "$work/out" || fail "the container did not report where the control is"
read -r _ origin_x origin_y < <(grep -m 1 '^screen ' "$work/out")
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'calendar\.bag' | head -n 1) ||
  fail "no window titled calendar.bag"

# The centre of day cell i on the screen (Wine's screen is the X screen; 96 DPI, 15 twips a pixel).
cell_point() {
  awk -v i="$1" -v x="$origin_x" -v y="$origin_y" 'BEGIN {
    col = int(i / 7); row = i % 7
    printf "%d %d\n", x + (1200 + 360 * col + 127) / 15, y + (1320 + 240 * row + 127) / 15 }'
}
# 1 May 2024 is a Wednesday: day d is in cell d + 1.
read -r start_x start_y < <(cell_point 6)
read -r end_x end_y < <(cell_point 10)

x windowfocus --sync "$window" || true
x mousemove --sync "$start_x" "$start_y"
x mousedown 1
sleep 0.2
x mousemove "$((start_x + 2))" "$start_y"
sleep 0.2
x mousemove "$end_x" "$end_y"
sleep 0.2
x mouseup 1
sleep 0.2
x mousemove "$((end_x + 1))" "$end_y"
sleep 0.5

saved_bag() { tr -d ' \n\t\r' <"$bag"; }
expect_key() {
  [[ "$(saved_bag)" == *"$1"* ]] || fail "the saved bag lacks $1: $(cat "$bag")"
}
x key ctrl+s
wait_for 20 grep -q "^saved $bag\$" "$work/out" || fail "Ctrl+S did not save"
expect_key '{"key":"Datum","type":"date","value":"2024-05-20"}'
expect_key '{"key":"Dlow","type":"i2","value":5}'
expect_key '{"key":"Dhigh","type":"i2","value":9}'

# Alt+D presses the control's Dnes (today) button; the bag saved next holds today's date.
saves() { grep -c '^saved ' "$work/out"; }
more_saves() { (($(saves) > before)); }
before=$(saves)
today=$(date +%F)
x key alt+d
sleep 0.5
x key ctrl+s
wait_for 20 more_saves || fail "the second Ctrl+S did not save"
# Today when the key went, or the day after when midnight passed since.
[[ "$(saved_bag)" == *"{\"key\":\"Datum\",\"type\":\"date\",\"value\":\"$today\"}"* ||
   "$(saved_bag)" == *"{\"key\":\"Datum\",\"type\":\"date\",\"value\":\"$(date +%F)\"}"* ]] ||
  fail "Alt+D did not move to today ($today): $(cat "$bag")"
# Alt+Z presses Zavři, whose event reaches the container's sink.
x key alt+z
wait_for 10 grep -q '^event Zavri$' "$work/out" || fail "Alt+Z did not raise Zavri"
if grep -q '^error ' "$work/out"; then fail "the container logged an error"; fi
kill -0 "$app_pid" 2>/dev/null || fail "the container did not keep running"
echo "ok: dragged 5..9 May, saved Dlow 5, Dhigh 9; Alt+D moved to $today; Alt+Z raised Zavri"
