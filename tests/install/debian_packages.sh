#!/usr/bin/env bash
# `cpack -G DEB` makes the four packages of a Debian library, lintian finds no error in them (its
# warnings are printed), and each package's Depends comes from what its own files need: the
# library and its development package (installed alone) need no Qt Test, the tools do.
#   debian_packages.sh BUILD_DIR   (exits 77, skipped, without lintian: ./dev.sh installs it)
set -u
build=$1
command -v lintian >/dev/null || { echo "no lintian: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
packages=()
for name in libdnovar-widgets1 libdnovar-dev dnovar-tools dnovar-designer-plugin; do
  deb=$work/${name}_${version}_$arch.deb
  [[ -f $deb ]] || fail "no $name package: $(cd "$work" && ls ./*.deb)"
  packages+=("$deb")
done
((failures == 0)) || exit 1
depends() { dpkg-deb --field "$work/${1}_${version}_$arch.deb" Depends; }

# lintian: every error fails; the warnings are printed for the record.
lintian --no-tag-display-limit "${packages[@]}" >"$work/lintian.log" 2>&1
grep '^W: ' "$work/lintian.log"
grep '^E: ' "$work/lintian.log" && fail "lintian reported errors"

# Depends: the library's packages do not need Qt Test; the tools need the library's package.
for name in libdnovar-widgets1 libdnovar-dev dnovar-designer-plugin; do
  [[ $(depends $name) != *libqt6test* ]] || fail "$name depends on Qt Test: $(depends $name)"
done
for name in libdnovar-dev dnovar-tools dnovar-designer-plugin; do
  [[ $(depends $name) == *"libdnovar-widgets1 (= $version)"* ]] ||
    fail "$name does not depend on libdnovar-widgets1 $version: $(depends $name)"
done
[[ $(depends dnovar-tools) == *libqt6test6* ]] ||
  fail "dnovar-tools has no Depends from its programs: $(depends dnovar-tools)"

# What apt would install on a system with nothing installed: for the development package (with
# the library it depends on) no Qt Test; for the tools, Qt Test.
simulate() {  # simulate NAME...: the packages apt would install for these
  local files=()
  for name in "$@"; do files+=("$work/${name}_${version}_$arch.deb"); done
  : >"$work/empty-status"
  apt-get install --simulate -o Dir::State::status="$work/empty-status" "${files[@]}" 2>&1 |
    sed -n 's/^Inst \([^ ]*\).*/\1/p'
}
installed=$(simulate libdnovar-dev libdnovar-widgets1)
[[ $installed == *libdnovar-dev* ]] || fail "apt would not install libdnovar-dev: $installed"
[[ $installed != *libqt6test* ]] || fail "libdnovar-dev would bring Qt Test: $installed"
[[ $(simulate dnovar-tools libdnovar-widgets1) == *libqt6test6* ]] ||
  fail "the simulation does not see the tools' Qt Test"
exit $((failures > 0))
