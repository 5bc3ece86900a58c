#!/usr/bin/env bash
# regsvr32 registers the control (its class, ProgIDs, verbs, categories, type library and
# interfaces, where hosts look for them) and regsvr32 /u leaves the registry exactly as it was
# before, the category descriptions it had to add included.
#   registry_round_trip.sh dnovar.ocx
set -euo pipefail
source "$(dirname "$0")/wine_tools.sh"
ocx=$(winepath -w "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every class key of the machine and of the user, as text without line ends.
snapshot() {
  for root in 'HKLM\Software\Classes' 'HKCU\Software\Classes'; do
    { "$wine" reg query "$root" /s 2>/dev/null || true; } | tr -d "\r"
  done
}

"$wine" regsvr32 /u /s "$ocx" >/dev/null 2>&1 || true
snapshot >"$work/before"
"$wine" regsvr32 /s "$ocx"
snapshot >"$work/registered"
"$wine" regsvr32 /u /s "$ocx"
snapshot >"$work/after"

# What registering added: the keys hosts read.
added=$(diff -a "$work/before" "$work/registered" | grep -a "^>" || true)
for expected in 'DnovarLib.Dnovar' 'ThreadingModel    REG_SZ    Apartment' 'ToolboxBitmap32' \
                'Control' 'MiscStatus\1' 'TypeLib\{E3028864-7BD9-4193-A967-4A9A79C64D67}\1.0' \
                'Interface\{9C75351E-408F-493C-8922-FA4BFF56BE46}' \
                'Interface\{93252D0C-3828-4FDB-A767-806F55F007FE}' 'DnovarLib.Dnovar.1\CLSID' \
                'DnovarLib.Dnovar\CurVer' 'Verb\0' 'AuxUserType\2' \
                'Implemented Categories\{7DD95801-9882-11CF-9FA9-00AA006C42C4}' \
                'Implemented Categories\{7DD95802-9882-11CF-9FA9-00AA006C42C4}'; do
  if ! grep -aqF "$expected" <<<"$added"; then
    echo "registering did not add: $expected" >&2
    exit 1
  fi
done
diff -u "$work/before" "$work/after"
