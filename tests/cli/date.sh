#!/usr/bin/env bash
# `dnovar date` prints serials and parts, and reports errors as `error N message` with status 1.
set -u
dnovar=$1
failures=0
expect() {  # expect STATUS OUTPUT -- ARGS...
  local status=$1 output=$2
  shift 3
  local got got_status
  got=$("$dnovar" "$@" 2>&1)
  got_status=$?
  if [[ "$got" != "$output" || $got_status != "$status" ]]; then
    echo "FAIL: dnovar $*: got [$got] status $got_status, expected [$output] status $status"
    failures=$((failures + 1))
  fi
}
expect 0 "36525" -- date build 1999 12 31
expect 0 "45413" -- date build 2024 4 31
expect 0 "45413" -- date build 24 5 1
expect 0 "-657434" -- date build 100 1 1
expect 1 "error 5 Invalid procedure call or argument" -- date build 9999 12 32
expect 1 "error 13 Type mismatch" -- date build 2024 x 1
expect 0 "1899-12-29 06:00:00 5" -- date parts -1.25
expect 0 "1999-12-31 18:00:00 5" -- date parts 36525.75
expect 0 "2024-05-01 00:00:00 3" -- date parts 45413
expect 1 "error 5 Invalid procedure call or argument" -- date parts 3000000
exit $((failures > 0))
