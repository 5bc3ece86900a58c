#!/usr/bin/env bash
# `dnovar render` writes a 300 x 251 PNG of the control; each setting changes the picture, and bad
# settings are refused with a message instead of a picture. Builds without Qt have no render.
set -u
dnovar=$1
"$dnovar" render --help >/dev/null 2>&1 || { echo "no render command in this build"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Width and height from the PNG header, as "W H".
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }'; }

render() {  # render NAME ARGS...: writes $dir/NAME.png, fails on a non-zero status
  local name=$1
  shift
  "$dnovar" render --out "$dir/$name.png" "$@" >"$dir/$name.log" 2>&1 || fail "render $*: $(cat "$dir/$name.log")"
}
render plain --date 2024-05-20
render interval --date 2024-05-20 --dlow 6 --dhigh 10
render colour --date 2024-05-20 --dlow 6 --dhigh 10 --color 0x0000FF
render decimal --date 2024-05-20 --dlow 6 --dhigh 10 --color 255
render no_holidays --date 2024-05-20 --no-holidays
render other_month --date 2024-06-20
render today

[[ "$(png_size "$dir/plain.png")" == "300 251" ]] || fail "plain.png is $(png_size "$dir/plain.png"), not 300 251"
differs() { cmp -s "$dir/$1.png" "$dir/$2.png" && fail "$1.png and $2.png are the same picture"; }
differs plain interval
differs interval colour
differs plain no_holidays
differs plain other_month
cmp -s "$dir/colour.png" "$dir/decimal.png" || fail "0x0000FF and 255 are not the same colour"

refused() {  # refused STATUS ARGS...: no picture, a message, that status
  local status=$1
  shift
  rm -f "$dir/refused.png"
  local output
  output=$("$dnovar" render --out "$dir/refused.png" "$@" 2>&1)
  local got=$?
  [[ $got == "$status" ]] || fail "render $*: status $got, expected $status ($output)"
  [[ -n "$output" ]] || fail "render $*: no message"
  [[ ! -e "$dir/refused.png" ]] || fail "render $*: wrote a picture"
}
refused 2 --color 0
refused 2 --color 0x8000000F
refused 2 --color 0x1000000
refused 2 --color yellow
refused 2 --date 2024-02-30
refused 1 --date 2024-05-20 --dlow 200 --dhigh 200
"$dnovar" render --out "$dir/missing/x.png" >/dev/null 2>&1 && fail "render into a missing folder succeeded"
exit $((failures > 0))
