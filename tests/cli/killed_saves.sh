#!/usr/bin/env bash
# Saves killed with SIGKILL at random moments, 100 times: the file is always a whole bag, either
# the one before the killed program started or one it completed, and after the next save no
# temporary file is left in the folder.
set -u
save_loop=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bag=$work/a.bag
RANDOM=20240520  # the same pauses on every run
failures=0
for ((kill = 1; kill <= 100; kill++)); do
  "$save_loop" "$bag" 0 1 || { echo "FAIL: the save before kill $kill failed"; exit 1; }
  first=$((kill * 1000))
  "$save_loop" "$bag" $first 1000 &
  saver=$!
  sleep "0.0$((RANDOM % 4))$((RANDOM % 10))"
  kill -9 $saver 2>/dev/null
  wait $saver 2>/dev/null
  generation=$("$save_loop" "$bag" check)
  if [[ $? != 0 ]] || ! ((generation == 0 || (generation >= first && generation < first + 1000))); then
    echo "FAIL: kill $kill left neither the old nor a new bag (generation [$generation])"
    failures=$((failures + 1))
  fi
  "$save_loop" "$bag" 0 1 || { echo "FAIL: the save after kill $kill failed"; exit 1; }
  left=$(find "$work" -mindepth 1 ! -name a.bag)
  if [[ -n $left ]]; then
    echo "FAIL: kill $kill: files left beside the bag after the next save: $left"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
