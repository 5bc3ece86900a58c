#!/usr/bin/env bash
# Runs a Windows test program under Wine in a prefix of its own where dnovar.ocx is registered
# (the null graphics driver: no display needed), with the program's exit status.
#   win32_container_in_prefix.sh PATH/TO/dnovar.ocx PATH/TO/TEST.exe ARGS...
set -euo pipefail
ocx=$(realpath "${1:?usage: $0 DNOVAR.ocx TEST.exe ARGS...}")
program=$(realpath "${2:?usage: $0 DNOVAR.ocx TEST.exe ARGS...}")
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/dnovar-e2e.XXXXXX")
fail() { echo "FAIL: $*"; exit 1; }
source "$(dirname "$0")/wine_prefix.sh"
trap 'wine_prefix_stop; rm -rf "$work"' EXIT
unset DISPLAY
wine_prefix_start null "$ocx"
cd "$work"
set +e
timeout 240 wine "$program" "$@" 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
exit "$status"
