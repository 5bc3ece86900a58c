#!/usr/bin/env bash
# Set-up, build, run and test on a fresh Debian 12 machine.
#   ./dev.sh run     build and start the main program
#   ./dev.sh test    build and run every test, in the release and the sanitizer build
#   ./dev.sh bench   build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev qt6-base-dev qt6-tools-dev xvfb xauth xdotool fonts-dejavu-core fonts-liberation2 valgrind)

install_missing_packages() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [[ ${#missing[@]} -eq 0 ]] && return
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {  # build PRESET
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
}

case "${1:-}" in
  run)
    install_missing_packages
    build default
    container=./build/default/apps/container/dnovar-container
    documents=("${@:2}")  # none: a new, started calendar on today
    if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
      # No screen to show the window on: a picture of it instead.
      screenshot=build/dnovar-container.png
      "$container" --screenshot "$screenshot" "${documents[@]}"
      echo "No display: the window of dnovar-container is in $screenshot"
    else
      exec "$container" "${documents[@]}"
    fi
    ;;
  test)
    install_missing_packages
    for preset in default asan; do
      build "$preset"
      ctest --preset "$preset" -j "$(nproc)"
    done
    ;;
  bench)
    install_missing_packages
    build default
    ./build/default/bench/dnovar_bench "${@:2}"
    # Instructions per refresh, counted by callgrind over 1000 refreshes.
    total=$(valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null \
              ./build/default/bench/refresh_instructions 1000 2>&1 | sed -n 's/.*Collected : *\([0-9]*\).*/\1/p')
    echo "Aktualizuj: $((total / 1000)) instructions per refresh (callgrind, 1000 refreshes)"
    # On Qt, beside QCalendarWidget: month switch with repaint, creation to first paint, memory.
    QT_QPA_PLATFORM=offscreen ./build/default/bench/qt/dnovar_qt_bench
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
