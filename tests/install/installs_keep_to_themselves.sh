#!/usr/bin/env bash
# Two installs of this build side by side, sharing the user's registry: each dnovar-container
# registers the module installed with it (saying so on standard error when the registry named the
# other's), so the registry names the module of the install last run. An install that lacks its
# module fails, naming the module, and never falls back on the build tree's.
#   installs_keep_to_themselves.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$work/data
unset DNOVAR_MODULE DNOVAR_REGISTRY
registry=$XDG_DATA_HOME/dnovar/registry.json

for install in first second; do
  cmake --install "$build" --prefix "$work/$install" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
done
module_of() { find "$work/$1" -name 'libdnovar-control.so'; }
names() { grep -c "\"$1\"" "$registry" 2>/dev/null; }
container() {  # container INSTALL: runs it until painted; sets $status, $out and $err
  "$work/$1/bin/dnovar-container" --print-geometry --screenshot "$work/$1.png" \
    >"$work/out" 2>"$work/err"
  status=$?
  out=$(<"$work/out") err=$(<"$work/err")
}

# first, second, first: each run uses its own module and says when it replaced the other's.
previous=
for install in first second first; do
  container "$install"
  module=$(module_of "$install")
  [[ $status == 0 && $out == *"control "[0-9]*" "[0-9]*" "* ]] ||
    fail "$install: status $status, output [$out], errors [$err]"
  [[ $(names "$module") == 1 ]] || fail "$install: the registry names $(cat "$registry")"
  if [[ -n $previous ]]; then
    replaced="DnovarLib.Dnovar in $registry named $previous; registered $module"
    [[ $err == *"dnovar-container: $replaced"* ]] || fail "$install: said [$err]"
  else
    [[ $err != *named* ]] || fail "$install: a replacement in an empty registry: [$err]"
  fi
  previous=$module
done
# Run again, the registry already names its module: nothing to say.
container first
[[ $status == 0 && $err != *named* ]] || fail "first, again: status $status, said [$err]"

# The second install loses its module: it fails and leaves the registry as it was.
module=$(module_of second)
rm -r "$(dirname "$module")"
before=$(cat "$registry")
missing="error 53 File not found: $module"
container second
[[ $status == 2 && $err == "dnovar-container: $missing"* ]] ||
  fail "without its module: status $status, errors [$err]"
[[ $(cat "$registry") == "$before" ]] || fail "without its module: the registry changed"
grep -q "$build" "$registry" && fail "the registry names the build tree: $(cat "$registry")"
printf 'new\n' >"$work/new.dns"
got=$("$work/second/bin/dnovar" script "$work/new.dns" 2>&1)
[[ $? == 2 && $got == "dnovar: $missing"* ]] || fail "dnovar script without its module: [$got]"
got=$("$work/second/bin/dnovar" register --registry "$work/other.json" 2>&1)
[[ $? == 1 && $got == "$missing"* ]] || fail "dnovar register without its module: [$got]"
exit $((failures > 0))
