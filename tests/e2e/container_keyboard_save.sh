#!/usr/bin/env bash
# End to end in a real X server, without the mouse: dnovar-container opens a bag (Datum
# 2024-05-20, the 1st a Wednesday), Alt+N and Tab walk from the name field through the control's
# nine stops onto its day grid, Home and Enter pick 1 May, Right and Shift+Down three times mark
# 8..11 May, Ctrl+S saves, and the saved bag holds Datum 2024-05-01, Dlow 8 and Dhigh 11, as a
# double-click on the 1st and a drag over 8..11 would. Starts its own Xvfb and uses its own
# registry and files; every wait is bounded.
#   container_keyboard_save.sh PATH/TO/dnovar-container
set -euo pipefail

container=${1:?usage: $0 PATH/TO/dnovar-container}
source "$(dirname "$0")/x_session.sh"
x_session_start

x_session_open_may_2024
x windowfocus --sync "$window" || fail "cannot focus the window"
sleep 0.2

# --- Alt+N to the name field, one Tab into the control, nine more through its stops to the day
# grid.
x key --delay 50 alt+n
for _ in $(seq 10); do x key --delay 50 Tab; done
# Enter sets the date as a double-click does, telling the host nothing: the saved bag shows it.
x key --delay 50 Home Return

# --- A run of days: from the 8th, Shift+Down three times.
x key --delay 50 Right shift+Down shift+Down shift+Down
sleep 0.2
save_and_expect '{"key":"Datum","type":"date","value":"2024-05-01"}' \
  '{"key":"Dlow","type":"i2","value":8}' '{"key":"Dhigh","type":"i2","value":11}'
echo "ok: picked 1 May and marked 8..11 May by keyboard, saved Dlow 8, Dhigh 11"
