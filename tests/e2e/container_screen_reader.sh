#!/usr/bin/env bash
# End to end with a screen reader's view: in a D-Bus session of its own with the AT-SPI bus,
# dnovar-container opens a bag (Datum 2024-05-20) on a private Xvfb, and a listener that reads
# the focus as a screen reader does (pyatspi) hears Alt+N and ten Tabs walk onto the control's day
# grid. The last focus event must name the cursor's cell (20 May) in the table named by the month
# ("Květen 2024"): the table is told of the focus before its cell, so a reader ends on the cell.
# Skipped when the session bus, the AT-SPI bus or pyatspi is missing; every wait is bounded.
#   container_screen_reader.sh PATH/TO/dnovar-container
set -euo pipefail

container=${1:?usage: $0 PATH/TO/dnovar-container}
here=$(cd "$(dirname "$0")" && pwd)
# pyatspi is Debian's, for the system's Python.
python=/usr/bin/python3
if [[ -z "${DNOVAR_OWN_SESSION_BUS:-}" ]]; then
  command -v dbus-run-session >/dev/null || { echo "skipped: dbus-run-session is not installed"; exit 77; }
  [[ -x /usr/libexec/at-spi-bus-launcher ]] || { echo "skipped: at-spi2-core is not installed"; exit 77; }
  "$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
  DNOVAR_OWN_SESSION_BUS=1 exec timeout 240 dbus-run-session -- bash "$0" "$@"
fi

source "$here/x_session.sh"
x_session_start
# Qt talks to the AT-SPI bus even where no desktop setting turned accessibility on.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

x_session_open_may_2024
x windowfocus --sync "$window" || fail "cannot focus the window"
sleep 0.5

# Alt+N to the name field, one Tab into the control, nine more through its stops to the day grid.
keys=(timeout 30 xdotool key --delay 100 alt+n Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab)
timeout 120 "$python" "$here/screen_reader_focus.py" "pondělí 20. května 2024" "Květen 2024" \
  "${keys[@]}" || fail "the screen reader's focus"
