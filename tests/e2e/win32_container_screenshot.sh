#!/usr/bin/env bash
# dnovar-container.exe under Wine without a display (the null graphics driver): a new instance of
# the registered control, --print-geometry and --screenshot give the control's place and a PNG of
# the window with the calendar drawn by its real windows.
#   win32_container_screenshot.sh PATH/TO/dnovar-container.exe PATH/TO/dnovar.ocx
set -euo pipefail
container=$(realpath "${1:?usage: $0 CONTAINER.exe DNOVAR.ocx}")
ocx=$(realpath "${2:?usage: $0 CONTAINER.exe DNOVAR.ocx}")
work=$(mktemp -d "${TMPDIR:-/tmp}/dnovar-e2e.XXXXXX")
fail() { echo "FAIL: $*"; [[ -f "$work/out" ]] && cat "$work/out"; exit 1; }
source "$(dirname "$0")/wine_prefix.sh"
trap 'wine_prefix_stop; rm -rf "$work"' EXIT
unset DISPLAY
wine_prefix_start null "$ocx"

cd "$work"
timeout 120 wine "$container" --print-geometry --screenshot "$work/shot.png" 2>&1 |
  tr -d '\r' >"$work/out" || fail "the container failed"
grep -qx 'new Dnovar1' "$work/out" || fail "no new instance"
grep -qE '^control [0-9]+ [0-9]+ 1$' "$work/out" || fail "no control geometry"
grep -qx "screenshot $work/shot.png" "$work/out" || fail "no screenshot reported"
if grep -q '^error ' "$work/out"; then fail "the container logged an error"; fi
# A PNG, and wide enough for the form, the property list and the log.
[[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' \n')" == 89504e470d0a1a0a ]] ||
  fail "the screenshot is no PNG"
width=$((16#$(od -An -tx1 -j16 -N4 "$work/shot.png" | tr -d ' \n')))
((width > 500)) || fail "the screenshot is $width pixels wide"
echo "ok: screenshot of $width pixels' width, the control in place"
