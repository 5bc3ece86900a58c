#!/usr/bin/env bash
# `dnovar register` and `unregister` in a registry of their own: registration enters the ProgID,
# unregistration removes exactly it, and the registry is the one --registry, else DNOVAR_REGISTRY,
# else XDG_DATA_HOME names (an empty variable counts as unset).
set -u
dnovar=$1 sample_module=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
expect_output() {  # expect_output OUTPUT -- COMMAND...
  local output=$1
  shift 2
  local got
  got=$("$@" 2>&1)
  [[ $? == 0 && "$got" == "$output" ]] || fail "$*: got [$got], expected [$output]"
}
names_prog_id() { grep -q '"DnovarLib.Dnovar"' "$1" 2>/dev/null; }

registry=$work/r.json
expect_output "registered DnovarLib.Dnovar in $registry" -- "$dnovar" register --registry "$registry"
names_prog_id "$registry" || fail "register did not enter the ProgID in $registry"
expect_output "registered DnovarLib.Dnovar in $registry" -- "$dnovar" register --registry "$registry"
[[ $(grep -o '"prog_id": *"DnovarLib.Dnovar"' "$registry" | wc -l) == 2 ]] ||
  fail "registering twice did not replace the entries: $(cat "$registry")"
expect_output "unregistered DnovarLib.Dnovar in $registry" -- "$dnovar" unregister --registry "$registry"
names_prog_id "$registry" && fail "unregister left the ProgID in $registry: $(cat "$registry")"

from_variable=$work/variable.json
expect_output "registered DnovarLib.Dnovar in $from_variable" -- \
  env DNOVAR_REGISTRY="$from_variable" "$dnovar" register
names_prog_id "$from_variable" || fail "DNOVAR_REGISTRY was not the registry"

# Windows falls back on %APPDATA% instead, which Wine sets from its own profile (the unit tests
# check that fallback inside the process).
[[ -n "${DNOVAR_TEST_WINDOWS:-}" ]] && exit $((failures > 0))
from_data_home=$work/data/dnovar/registry.json
expect_output "registered DnovarLib.Dnovar in $from_data_home" -- \
  env DNOVAR_REGISTRY= XDG_DATA_HOME="$work/data" "$dnovar" register
names_prog_id "$from_data_home" || fail "an empty DNOVAR_REGISTRY did not fall back to XDG_DATA_HOME"

# Another module: the output names the class it entered and removed, not the control's.
sample_registry=$work/sample.json
expect_output "registered SampleLib.Counter in $sample_registry" -- \
  "$dnovar" register --module "$sample_module" --registry "$sample_registry"
grep -q '"SampleLib.Counter"' "$sample_registry" || fail "the sample module did not register"
expect_output "unregistered SampleLib.Counter in $sample_registry" -- \
  "$dnovar" unregister --module "$sample_module" --registry "$sample_registry"
expect_output "unregistered nothing in $sample_registry" -- \
  "$dnovar" unregister --module "$sample_module" --registry "$sample_registry"

# An empty --registry is an error, never the default registry.
default_registry=$work/default.json
got=$(DNOVAR_REGISTRY=$default_registry "$dnovar" register --registry "" 2>&1)
status=$?
[[ $status == 1 && $got == "error 5 "*"--registry names no file"* ]] ||
  fail "register --registry \"\": status $status, got [$got]"
[[ -e $default_registry ]] && fail "register --registry \"\" wrote the default registry"

exit $((failures > 0))
