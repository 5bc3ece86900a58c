#!/usr/bin/env bash
# End to end in a real X server: dnovar-container opens a bag (Datum 2024-05-20), the pointer
# drags over the days 5..9 with real X events, Ctrl+S saves, and the saved bag holds Dlow 5 and
# Dhigh 9. Starts its own Xvfb and uses its own registry and files; every wait is bounded.
#   container_drag_save.sh PATH/TO/dnovar-container
set -euo pipefail

container=${1:?usage: $0 PATH/TO/dnovar-container}
source "$(dirname "$0")/x_session.sh"
x_session_start

x_session_open_may_2024

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

# --- Ctrl+S, and the saved bag.
save_and_expect '{"key":"Datum","type":"date","value":"2024-05-20"}' \
  '{"key":"Dlow","type":"i2","value":5}' '{"key":"Dhigh","type":"i2","value":9}'
[[ -s "$DNOVAR_REGISTRY" ]] || fail "the module was not registered in the test's registry"
echo "ok: dragged 5..9 May, saved Dlow 5, Dhigh 9"
