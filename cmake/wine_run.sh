#!/usr/bin/env bash
# Runs a Windows program under Wine the way a test expects a native one to run: the program's
# exit status, Unix line ends (the C runtime writes CR LF), no Wine diagnostics. Standard output
# and error stay one stream when the caller joined them, so their order is kept.
#   wine_run.sh PROGRAM.exe ARGS...
set -u
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(command -v wine64 || command -v wine)
if [[ /dev/stdout -ef /dev/stderr ]]; then
  "$wine" "$@" 2>&1 | tr -d '\r'
  exit "${PIPESTATUS[0]}"
fi
{
  "$wine" "$@" 2>&1 1>&3 3>&- | tr -d '\r' >&2
  exit "${PIPESTATUS[0]}"
} 3>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
