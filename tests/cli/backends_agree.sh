#!/usr/bin/env bash
# The same script prints the same on both backends: 300 generated scripts (seeded, so every run
# plays the same ones) through `dnovar script --backend headless` and `--backend qt`, compared
# line by line. Passes without a Qt backend to compare with.
set -u
dnovar=$1 generator=$4
seed=${DNOVAR_AGREEMENT_SEED:-20240520}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
if ! "$dnovar" script --backend qt - </dev/null >/dev/null 2>&1; then
  echo "no Qt backend in this build: nothing to compare"
  exit 0
fi
failures=0
# Ten batches of 30 scripts: one process per batch and backend keeps the test quick.
for ((batch = 0; batch < 10; batch++)); do
  script=$work/batch$batch.dns
  "$generator" $((seed + batch)) 30 >"$script"
  for backend in headless qt; do
    "$dnovar" script --backend $backend "$script" >"$work/$backend.out" 2>&1
    echo "exit $?" >>"$work/$backend.out"
  done
  if ! diff -u "$work/headless.out" "$work/qt.out" >"$work/diff"; then
    echo "FAIL: seed $((seed + batch)) (dnovar_script_generator $((seed + batch)) 30):"
    head -40 "$work/diff"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
