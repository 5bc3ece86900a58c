#!/usr/bin/env bash
# Runs one script on one backend and compares what it prints (and its exit status) with the
# expected output beside it: NAME.dns -> NAME.out.
set -u
dnovar=$1 backend=$2 script=$3
expected=${script%.dns}.out
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$dnovar" script --backend "$backend" "$script" >"$actual" 2>&1
echo "exit $?" >>"$actual"
if ! diff -u "$expected" "$actual"; then
  echo "FAIL: $script on $backend differs from $expected"
  exit 1
fi
