#!/usr/bin/env bash
# The installer under Wine's msiexec, in a Wine prefix of its own: `msiexec /i` installs the files
# and registers the control with every value of its registration list (the check program
# compares), VBScript's CreateObject then creates it and the installed dnovar.exe runs a script on
# the module beside it; `msiexec /x` leaves the registry and the files as they were before.
#   install_round_trip.sh dnovar-VERSION-ARCH.msi dnovar-installed-registration-check.exe WIXL
set -u
msi=$(realpath "$1")
check=$(realpath "$2")
wixl=$3
source "$(dirname "$0")/../vbs/wine_tools.sh"
command -v wine >/dev/null || { echo "skipped: wine is not installed"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/dnovar-msi.XXXXXX")
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
failures=0
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'timeout 20 wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
(setsid wineserver -p >/dev/null 2>&1 &)
timeout 120 wine cmd /c exit >/dev/null 2>&1 || { echo "FAIL: cannot make a Wine prefix"; exit 1; }
timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
# The desktop started with the prefix keeps the driver it started with: a new server, a new one.
timeout 20 wineserver -k >/dev/null 2>&1
(setsid wineserver -p >/dev/null 2>&1 &)
timeout 60 wine cmd /c exit >/dev/null 2>&1
# A 32-bit installer needs Wine's 32-bit side.
"$wine" cmd /c exit >/dev/null 2>&1 || { echo "skipped: no Wine for this bitness"; exit 77; }
run() { timeout 120 "$wine" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The state an uninstall must return to: every registry key and value of the machine and the user,
# and every file of the prefix's drive with its size. Wine keeps its own records of the session
# (the prefix's registry files, the time zone's dynamic data, its temporary files) beside them.
snapshot() {
  local root
  for root in HKLM HKCU; do
    run reg query "$root" /s | grep -av 'DynamicDaylightTimeDisabled\|Volatile Environment'
  done
  (cd "$WINEPREFIX/drive_c" && find . -path ./users/*/Temp -prune -o -path ./windows/temp -prune \
     -o -type f -printf '%p %s\n' | sort)
}
# What Wine's tools do once in a new prefix (Windows Installer's own keys on its first use,
# cscript registering its type library) happens before the first snapshot: another product is
# installed and removed, and an empty script run.
mkdir "$work/warm-up"
printf 'warm-up\n' >"$work/warm-up/file.txt"
cat >"$work/warm-up/warm-up.wxs" <<'WXS'
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="*" Name="Warm-up" Language="1033" Version="1.0.0" Manufacturer="Dnovar tests"
           UpgradeCode="5B0B6D8E-6F3C-4E59-9B7A-2B1E0C5D7A11">
    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>
    <Media Id="1" Cabinet="warm.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="Warm-up">
          <Component Id="File" Guid="*">
            <File Id="file.txt" Source="file.txt" KeyPath="yes"/>
            <RegistryValue Root="HKCR" Key="DnovarTests.WarmUp" Value="warm-up" Type="string"/>
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Complete" Level="1"><ComponentRef Id="File"/></Feature>
  </Product>
</Wix>
WXS
(cd "$work/warm-up" && "$wixl" -o warm-up.msi warm-up.wxs >/dev/null 2>&1) ||
  { echo "FAIL: wixl could not write the warm-up installer"; exit 1; }
warm_up=$(winepath -w "$work/warm-up/warm-up.msi")
run msiexec /i "$warm_up" /qn >/dev/null && run msiexec /x "$warm_up" /qn >/dev/null ||
  { echo "FAIL: the warm-up installer"; exit 1; }
: >"$work/empty.vbs"
run cscript //nologo "$(winepath -w "$work/empty.vbs")" >/dev/null
snapshot >"$work/before"

folder='C:\Program Files\Dnovar'
[[ ${DNOVAR_WINDOWS_BITS:-64} == 32 ]] && folder=$(run cmd /c 'echo %ProgramFiles%')'\Dnovar'
run msiexec /i "$(winepath -w "$msi")" /qn >"$work/install.log" ||
  fail "msiexec /i: $(cat "$work/install.log")"
for file in dnovar.ocx dnovar.exe dnovar-control.dll dnovar-container.exe LICENSE.txt; do
  [[ -f $(winepath -u "$folder\\$file") ]] || fail "not installed: $folder\\$file"
done
got=$(run "$check" present "$folder\\dnovar.ocx") || fail "the registration after /i: $got"

# Hosts find it: VBScript creates it by its ProgID and sets a property.
printf '%s\r\n' 'Set c = CreateObject("DnovarLib.Dnovar")' 'c.Datum = DateSerial(2024, 5, 20)' \
  'WScript.Echo "created, Datum " & Year(c.Datum) & "-" & Month(c.Datum) & "-" & Day(c.Datum)' \
  >"$work/create.vbs"
got=$(run cscript //nologo "$(winepath -w "$work/create.vbs")")
[[ $got == "created, Datum 2024-5-20" ]] || fail "CreateObject after /i: [$got]"
# The installed dnovar.exe creates the control from the module installed beside it.
printf 'new\nget Caption\n' >"$work/new.dns"
got=$(cd "$work" && run "$folder\\dnovar.exe" script "$(winepath -w "$work/new.dns")")
[[ $got == $'ok\nCaption="Dnovar1"' ]] || fail "the installed dnovar.exe: [$got]"

run msiexec /x "$(winepath -w "$msi")" /qn >"$work/uninstall.log" ||
  fail "msiexec /x: $(cat "$work/uninstall.log")"
got=$(run "$check" absent) || fail "the registration after /x: $got"
snapshot >"$work/after"
diff -u "$work/before" "$work/after" || fail "/x left the registry or the files changed (above)"
exit $((failures > 0))
