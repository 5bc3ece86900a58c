#!/usr/bin/env bash
# Runs a VBScript or JScript test (cscript picks the engine by the extension) under Wine's cscript
# and compares what it prints with the expected output.
# cscript ends with status 0 even after a run-time error, so the output is the verdict.
#   run_vbs.sh SCRIPT.vbs|SCRIPT.js EXPECTED
set -euo pipefail
source "$(dirname "$0")/wine_tools.sh"
actual=$("$wine" cscript //nologo "$(winepath -w "$1")" 2>&1 | tr -d '\r')
diff -u "$2" - <<<"$actual"
