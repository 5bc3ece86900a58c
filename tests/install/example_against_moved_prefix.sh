#!/usr/bin/env bash
# Installs this build into a prefix and moves the prefix away, so that anything still pointing
# at where it was installed, at the source or at the build tree fails. Then takes from the moved
# prefix what a user takes: builds examples/qt-app (a copy of it) against the prefix alone and
# runs it offscreen, runs the installed programs, and loads the Designer plugin as Designer does.
#   example_against_moved_prefix.sh BUILD_DIR SOURCE_DIR [DESIGNER_PLUGIN_CHECK]
set -u
build=$1
source=$2
plugin_check=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
export QT_QPA_PLATFORM=offscreen
unset CMAKE_PREFIX_PATH DNOVAR_MODULE DNOVAR_REGISTRY

cmake --install "$build" --prefix "$work/staged" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
mv "$work/staged" "$work/prefix"
prefix=$work/prefix

# Nothing installed names the trees it came from: no text file, no library search path.
named=$(grep -rlI -e "$source" -e "$build" -e "$work/staged" "$prefix")
[[ -z $named ]] || fail "installed files name the source or build tree: $named"
while IFS= read -r file; do
  if readelf -d "$file" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -q -e "$source" -e "$build"; then
    fail "$file searches the build tree for libraries"
  fi
done < <(find "$prefix" -type f \( -name '*.so*' -o -perm -u+x \))

# The example, as a user builds it: its own copy, and the prefix as the only hint.
cp -r "$source/examples/qt-app" "$work/app"
if ! cmake -S "$work/app" -B "$work/app-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
       -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$work/app.log" 2>&1 ||
   ! cmake --build "$work/app-build" -j 2 >>"$work/app.log" 2>&1; then
  cat "$work/app.log"
  echo "FAIL: building examples/qt-app against the installed prefix"
  exit 1
fi
linked=$(ldd "$work/app-build/dnovar-qt-app" | awk '/libdnovar-widgets/ { print $3 }')
[[ $linked == "$prefix"/* ]] || fail "the example runs with $linked, not the prefix's library"

# It loads its settings file and shows the days picked there.
printf '%s\n' '{"format": "dnovar-bag", "version": 1, "properties": [' \
  '{"key": "Datum", "type": "date", "value": "2024-05-20"},' \
  '{"key": "Dlow", "type": "i2", "value": 6}, {"key": "Dhigh", "type": "i2", "value": 10}]}' \
  >"$work/calendar.bag"
app() { "$work/app-build/dnovar-qt-app" "$@" 2>>"$work/app.err"; }
shown=$(app --settings "$work/calendar.bag" --quit-after-show)
expected=$'date 2024-05-20\nPicked days 6 to 10 of 2024-05'
[[ $shown == "$expected" ]] ||
  fail "the example shows"$'\n'"$shown"$'\n'"instead of"$'\n'"$expected"$'\n'"$(cat "$work/app.err")"
shown=$(app --settings "$work/none.bag" --quit-after-show)
[[ $shown == "date $(date +%F)"$'\n'"No days picked" ]] || fail "a first start shows $shown"

# The programs find the module installed with them.
registered=$("$prefix/bin/dnovar" register --registry "$work/registry.json" 2>&1) ||
  fail "dnovar register: $registered"
grep -q "$prefix/" "$work/registry.json" || fail "the registry names $(cat "$work/registry.json")"
container=$(DNOVAR_REGISTRY="$work/registry.json" \
  "$prefix/bin/dnovar-container" --screenshot "$work/container.png" 2>&1)
[[ $container == *"screenshot $work/container.png"* && $container != *error* ]] ||
  fail "dnovar-container: $container"

# Designer finds the plugin in Qt's plugin folder below the prefix, and its widget there.
if [[ -n $plugin_check ]]; then
  plugin=$(find "$prefix" -path '*/qt6/plugins/designer/*dnovar*.so')
  if [[ -z $plugin ]]; then
    fail "no Designer plugin below qt6/plugins/designer"
  else
    class=dnovar::CalendarWidget
    expected_lines=(
      "plugin $class group Dnovar include dnovar/calendar_widget.h xml $class"
      "widget 300x251 date $(date +%F)"
      "properties date caption highlightColor holidaysShown shiftDays rangeLow rangeHigh"
      "signals dateChanged(QDate) rangeChanged(int,int) captionChanged(QString)"
      "highlightColorChanged(QColor) holidaysShownChanged(bool) shiftDaysChanged(int)"
      "closeRequested() errorOccurred(int,QString)"
      "library $prefix/"
    )
    if offered=$("$plugin_check" "$plugin" 2>&1); then
      for line in "${expected_lines[@]}"; do
        grep -qF -- "$line" <<<"$offered" ||
          fail "the plugin offers"$'\n'"$offered"$'\n'"without: $line"
      done
    else
      fail "loading the Designer plugin: $offered"
    fi
  fi
fi

exit $((failures == 0 ? 0 : 1))
