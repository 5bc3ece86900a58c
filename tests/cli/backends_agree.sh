#!/usr/bin/env bash
# The same script prints the same on every backend: generated scripts (seeded, so every run plays
# the same ones) through `dnovar script --backend headless` and each other backend, compared line
# by line. A backend this build lacks is left out; with none to compare, the test passes.
#
# DNOVAR_AGREEMENT_BACKENDS names the backends compared with headless (default: qt), and
# DNOVAR_AGREEMENT_SCRIPTS how many scripts each plays (default: 300). The Windows build compares
# win32 and ole, 100 scripts each, under Wine.
set -u
dnovar=$1 generator=$4
seed=${DNOVAR_AGREEMENT_SEED:-20240520}
scripts=${DNOVAR_AGREEMENT_SCRIPTS:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
backends=()
for backend in ${DNOVAR_AGREEMENT_BACKENDS:-qt}; do
  if "$dnovar" script --backend "$backend" - </dev/null >/dev/null 2>&1; then
    backends+=("$backend")
  else
    echo "no $backend backend in this build: not compared"
  fi
done
((${#backends[@]} > 0)) || exit 0
failures=0
# Batches of 30 scripts: one process per batch and backend keeps the test quick (each start of a
# program under Wine costs a second or more).
for ((first = 0, batch = 0; first < scripts; first += 30, batch++)); do
  count=$((scripts - first < 30 ? scripts - first : 30))
  script=$work/batch$batch.dns
  "$generator" $((seed + batch)) $count | tr -d '\r' >"$script"
  for backend in headless "${backends[@]}"; do
    "$dnovar" script --backend "$backend" "$script" 2>&1 | tr -d '\r' >"$work/$backend.out"
    echo "exit ${PIPESTATUS[0]}" >>"$work/$backend.out"
  done
  for backend in "${backends[@]}"; do
    if ! diff -u "$work/headless.out" "$work/$backend.out" >"$work/diff"; then
      echo "FAIL: $backend, seed $((seed + batch)) (dnovar_script_generator $((seed + batch)) $count):"
      head -40 "$work/diff"
      failures=$((failures + 1))
    fi
  done
done
exit $((failures > 0))
