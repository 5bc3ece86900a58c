#!/usr/bin/env bash
# `dnovar typelib` prints the type library exactly as tests/cli/typelib.golden has it: every type,
# member, dispatch id, type, flag and help string. A change to the library shows up here.
set -u
dnovar=$1
golden="$(dirname "$0")/typelib.golden"
if ! diff -u "$golden" <("$dnovar" typelib); then
  echo "FAIL: dnovar typelib differs from $golden"
  exit 1
fi
