#!/usr/bin/env bash
# The Windows container's command line keeps the other container's word: an argument it does not
# know is status 2 with CLI11's message, --version prints the version.
#   win32_container_arguments.sh EMULATOR dnovar-container.exe
set -uo pipefail
emulator=$1 container=$2
output=$("$emulator" "$container" --no-such-option 2>&1)
status=$?
if [[ $status != 2 || $output != *--no-such-option* ]]; then
  echo "--no-such-option: status $status, $output" >&2
  exit 1
fi
output=$("$emulator" "$container" --version 2>&1)
status=$?
if [[ $status != 0 || ! $output =~ ^dnovar-container\ [0-9]+\.[0-9]+\.[0-9]+ ]]; then
  echo "--version: status $status, $output" >&2
  exit 1
fi
