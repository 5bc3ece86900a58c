#!/usr/bin/env bash
# Two `dnovar register` at once into one registry, each with another module: both entries arrive,
# in every one of 200 rounds (the registry's lock serialises the read-modify-write), and each
# reports its own.
set -u
dnovar=$1 sample_module=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rounds=200
lost=0
for ((round = 0; round < rounds; round++)); do
  registry=$work/r$round.json
  "$dnovar" register --registry "$registry" >"$work/control.out" 2>&1 &
  control=$!
  "$dnovar" register --module "$sample_module" --registry "$registry" >"$work/sample.out" 2>&1 &
  sample=$!
  wait $control || { echo "FAIL: round $round: $(cat "$work/control.out")"; exit 1; }
  wait $sample || { echo "FAIL: round $round: $(cat "$work/sample.out")"; exit 1; }
  # Each names what it entered itself, not what the other one did.
  [[ $(cat "$work/control.out") == "registered DnovarLib.Dnovar in $registry" &&
     $(cat "$work/sample.out") == "registered SampleLib.Counter in $registry" ]] ||
    { echo "FAIL: round $round: $(cat "$work/control.out" "$work/sample.out")"; exit 1; }
  if ! grep -q '"DnovarLib.Dnovar"' "$registry" || ! grep -q '"SampleLib.Counter"' "$registry"; then
    lost=$((lost + 1))
    echo "round $round lost an entry: $(cat "$registry")"
  fi
  rm -f "$registry" "$registry.lock"
done
if ((lost > 0)); then
  echo "FAIL: $lost of $rounds rounds lost a registration"
  exit 1
fi
