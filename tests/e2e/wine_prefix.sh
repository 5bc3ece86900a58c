# Sourced by the tests of the Windows container: a Wine prefix of the test's own in $work/prefix,
# so the graphics driver it needs (x11 for real windows, null for none) and the control's
# registration touch nothing else. Its server is started first (a capture would otherwise wait
# for it) and stopped by wine_prefix_stop.
#   wine_prefix_start DRIVER OCX   makes the prefix, selects the driver, registers the control
wine_prefix_start() {
  local driver=$1 ocx=$2
  command -v wine >/dev/null || { echo "skipped: wine is not installed"; exit 77; }
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  (setsid wineserver -p >/dev/null 2>&1 &)
  timeout 120 wine cmd /c exit >/dev/null 2>&1 || fail "cannot make a Wine prefix"
  timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1 ||
    fail "cannot select the $driver graphics driver"
  timeout 60 wine regsvr32 /s "$(winepath -w "$ocx")" || fail "regsvr32 failed"
  # The desktop started with the prefix keeps the driver it started with: a new server, a new one.
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  (setsid wineserver -p >/dev/null 2>&1 &)
  timeout 60 wine cmd /c exit >/dev/null 2>&1 || fail "cannot restart Wine"
}

wine_prefix_stop() {
  [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]] && timeout 20 wineserver -k >/dev/null 2>&1
  return 0
}
