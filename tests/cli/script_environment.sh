#!/usr/bin/env bash
# `dnovar script` in a broken environment: a TMPDIR that is missing or no folder costs a script
# nothing until `new` needs a registry, which then fails as that line's error; no run aborts.
set -u
dnovar=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
printf 'today 2024-05-20\nstart\nget Datum\n' >"$work/start.dns"
printf 'today 2024-05-20\nnew\nget Caption\n' >"$work/new.dns"
touch "$work/a-file"
for tmpdir in /nonexistent "$work/a-file"; do
  got=$(env -u DNOVAR_REGISTRY TMPDIR="$tmpdir" "$dnovar" script "$work/start.dns" 2>&1)
  status=$?
  [[ $status == 0 && $got == $'ok\nok\nDatum=2024-05-20' ]] ||
    fail "TMPDIR=$tmpdir, no instance by ProgID: status $status, got [$got]"
  got=$(env -u DNOVAR_REGISTRY TMPDIR="$tmpdir" "$dnovar" script "$work/new.dns" 2>&1)
  status=$?
  [[ $status == 0 && $got == $'ok\nerror 75 '*"$tmpdir"*$'\nerror 91 '* ]] ||
    fail "TMPDIR=$tmpdir, new: status $status, got [$got]"
done
# With a usable TMPDIR the registry is made there and removed at the end.
mkdir "$work/tmp"
got=$(env -u DNOVAR_REGISTRY TMPDIR="$work/tmp" "$dnovar" script "$work/new.dns" 2>&1)
[[ $got == $'ok\nok\nCaption="Dnovar1"' ]] || fail "TMPDIR=$work/tmp: got [$got]"
[[ -z $(ls -A "$work/tmp") ]] || fail "the temporary registry stayed: $(ls -A "$work/tmp")"
exit $((failures > 0))
