#!/usr/bin/env bash
# What the command line promises: an argument CLI11 refuses exits with status 2 and CLI11's
# message, an unknown command names itself, --version prints the version, a script that cannot be
# read is error 75 naming it (status 2), `script --help` lists exactly the backends that run,
# `--rules` chooses the rule set (not on the ActiveX control), and
# dnovar-container ($DNOVAR_TEST_CONTAINER, where built) takes Qt's standard arguments.
set -u
dnovar=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
run() {  # run PROGRAM ARGS...: sets $status and $output (standard output and error)
  output=$("$@" 2>&1 </dev/null)
  status=$?
}
expect() {  # expect STATUS PATTERN -- PROGRAM ARGS...: the status, and output matching PATTERN
  local want_status=$1 pattern=$2
  shift 3
  run "$@"
  [[ $status == "$want_status" && $output == $pattern ]] ||
    fail "${*##*/}: status $status, expected $want_status; got [$output], expected [$pattern]"
}

# Argument errors, whichever CLI11 check finds them (its own codes would be 105, 106, 109).
usage=$'*\nRun with --help for more information.'
expect 2 "*--no-such-option*$usage" -- "$dnovar" --no-such-option
expect 2 "*--registry*$usage" -- "$dnovar" register --registry
expect 2 "*file is required$usage" -- "$dnovar" script
expect 2 "*year*$usage" -- "$dnovar" date build 2024 5
expect 2 "*At Most 3*$usage" -- "$dnovar" date build 2024 5 1 7
if "$dnovar" render --help >/dev/null 2>&1; then
  expect 2 "*--dlow*$usage" -- "$dnovar" render --out "$work/x.png" --dlow 40000
fi
expect 2 "*bogus*$usage" -- "$dnovar" bogus
[[ $output == *"subcommand is required"* ]] && fail "dnovar bogus: reported a missing command"
expect 2 "A subcommand is required$usage" -- "$dnovar"
expect 0 "dnovar [0-9]*.[0-9]*.[0-9]*" -- "$dnovar" --version
expect 0 "*Usage:*" -- "$dnovar" --help

# Scripts that cannot be read.
mkdir "$work/folder"
for script in "$work/folder" "$work/missing.dns"; do
  expect 2 "dnovar: error 75 *${script##*/}*" -- "$dnovar" script "$script"
done

# Every backend `script --help` lists runs a script; none of the others does.
run "$dnovar" script --help
listed=$(sed -n 's/.*--backend.*The toolkit: //p' <<<"$output" | tr -d ',()' |
           sed 's/ or / /; s/default//')
[[ $listed == *headless* ]] || fail "script --help lists no backends: $output"
for backend in headless qt win32 ole; do
  run "$dnovar" script --backend "$backend" -
  if [[ " $listed " == *" $backend "* ]]; then
    [[ $status == 0 ]] || fail "--backend $backend is listed but does not run: $output"
  elif [[ $status != 2 || $output != "unknown backend: $backend" ]]; then
    fail "--backend $backend is not listed but answered status $status: $output"
  fi
done

# The rule sets: the control's own unless told; only the two names; never the ActiveX control.
printf 'new\ncall Velikonoce 2025\n' >"$work/easter.dns"
expect 0 $'ok\n2025-04-14' -- "$dnovar" script "$work/easter.dns"
expect 0 $'ok\n2025-04-21' -- "$dnovar" script --rules current "$work/easter.dns"
expect 2 "*--rules*$usage" -- "$dnovar" script --rules easter "$work/easter.dns"
if [[ " $listed " == *" ole "* ]]; then
  expect 2 "--rules current is not available on the ole backend" -- \
    "$dnovar" script --backend ole --rules current "$work/easter.dns"
fi

container=${DNOVAR_TEST_CONTAINER:-}
if [[ -n $container ]]; then
  export DNOVAR_REGISTRY=$work/registry.json
  expect 0 "*screenshot $work/window.png" -- \
    "$container" -platform offscreen --screenshot "$work/window.png"
  [[ -s $work/window.png ]] || fail "dnovar-container -platform offscreen wrote no picture"
  expect 2 "*--no-such-option*$usage" -- "$container" --no-such-option
  expect 0 "dnovar-container [0-9]*.[0-9]*.[0-9]*" -- "$container" --version
fi
exit $((failures > 0))
