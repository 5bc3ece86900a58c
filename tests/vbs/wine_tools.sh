# Sourced by the tests that run Windows' own tools (regsvr32, reg, cscript): `$wine` is the Wine
# loader of the control's bitness ($DNOVAR_WINDOWS_BITS, 64 unless told). With 32-bit Wine
# installed beside the 64-bit one, plain `wine` runs the tools' 32-bit copies, which see the
# 32-bit view of the registry and load only 32-bit controls.
if [[ ${DNOVAR_WINDOWS_BITS:-64} == 64 ]]; then
  wine=$(command -v wine64 || { [[ -x /usr/lib/wine/wine64 ]] && echo /usr/lib/wine/wine64; } ||
         command -v wine)
else
  wine=$(command -v wine)
fi
