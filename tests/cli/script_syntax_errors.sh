#!/usr/bin/env bash
# A script line that cannot be read stops the script (status 2) with its number and the reason,
# and a reason that quotes the script shows no more than its first 64 characters and "…": a token
# of a megabyte is not echoed back whole.
set -u
dnovar=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
long=$(head -c 1048576 /dev/zero | tr '\0' x)
shown=$(head -c 64 /dev/zero | tr '\0' x)…
wide=$(printf 'ž%.0s' {1..100})  # two bytes a character: the cut falls between characters
wide_64=$(printf 'ž%.0s' {1..64})

# The line after `start`, and the message it gets (line 2).
cases=(
  "$long"                            "unknown command: $shown"
  "\"$long\""                        "unknown command: $shown"
  "start $long"                      "not a value: $shown"
  "click $long"                      "no such widget: $shown"
  "access $long"                     "no such widget: $shown"
  "load Name $long"                  "KEY=VALUE expected: $shown"
  "put Datum date:$long"             "bad date serial: date:${shown:5}"
  "put Dlow $long:i2"                "bad typed value: $shown"
  "select cmbMonth \"$long\""        "an integer was expected: $shown"
  "put Caption $wide"                "not a value: $wide_64…"
  "put Caption $wide_64"             "not a value: $wide_64"
  "put Caption ${shown:0:64}"        "not a value: ${shown:0:64}"
)
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  line=${cases[i]} expected="line 2: ${cases[i + 1]}"
  printf 'start\n%s\n' "$line" >"$work/case.dns"
  message=$("$dnovar" script "$work/case.dns" 2>&1 >/dev/null)
  status=$?
  [[ $status == 2 && $message == "$expected" ]] ||
    fail "${line:0:40}: status $status, message of ${#message} characters [${message:0:120}]," \
      "expected [${expected:0:120}]"
done
exit $((failures > 0))
