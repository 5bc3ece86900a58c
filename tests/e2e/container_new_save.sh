#!/usr/bin/env bash
# End to end in a real X server: dnovar-container without a bag starts a new calendar on today,
# a real double-click on another day of the month makes it the date, Ctrl+S asks for a file (the
# instance has none yet), the name typed there gets the bag, and the saved bag holds the new date.
# Starts its own Xvfb and uses its own registry and files; every wait is bounded.
#   container_new_save.sh PATH/TO/dnovar-container
set -euo pipefail

container=$(realpath "${1:?usage: $0 PATH/TO/dnovar-container}")
source "$(dirname "$0")/x_session.sh"
x_session_start

# The file dialog starts in the working directory: the test's own.
cd "$work"
x_session_launch
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled' | head -n 1) ||
  fail "no window titled Untitled"

# Today's month: day d lies in cell (weekday of the 1st) + d - 2; the 10th, or the 11th when
# today is the 10th, is another day than the current one.
month=$(date +%Y-%m)
first_weekday=$(date -d "$month-01" +%u)
day=10
[[ $(date +%d) == 10 ]] && day=11
read -r day_x day_y < <(cell_point $((first_weekday + day - 2)))

# --- The double-click: the first press selects nothing, the second makes the day the date.
x mousemove --window "$window" --sync "$day_x" "$day_y"
x click --repeat 2 --delay 80 1
sleep 0.3

# --- Ctrl+S: no file yet, so the save dialog asks for one.
x windowfocus --sync "$window" || fail "cannot focus the window"
x key ctrl+s
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Save bag as' | head -n 1) ||
  fail "Ctrl+S opened no save dialog"
x windowfocus --sync "$dialog" || fail "cannot focus the save dialog"
sleep 0.3
x type --delay 30 new.bag
x key Return
wait_for 20 grep -q "^saved .*/new\.bag\$" "$work/out" || fail "the save dialog did not save"

# --- The saved bag (white space does not count).
saved=$(tr -d ' \n\t' <"$work/new.bag")
expected="{\"key\":\"Datum\",\"type\":\"date\",\"value\":\"$month-$day\"}"
[[ "$saved" == *"$expected"* ]] || fail "the saved bag lacks $expected: $(cat "$work/new.bag")"
if grep -q '^error ' "$work/out"; then fail "the container logged an error"; fi
kill -0 "$app_pid" 2>/dev/null || fail "the container did not keep running"
echo "ok: a new calendar, double-clicked $month-$day, saved it"
