#!/usr/bin/env bash
# Set-up, build, run and test on a fresh Debian 12 machine.
#   ./dev.sh run     build and start the main program
#   ./dev.sh test    build and run every test, in the release and the sanitizer build, and in the
#                    Windows builds (win64, win32) under Wine; the 32-bit ones need wine32, which
#                    adds the i386 architecture
#   ./dev.sh bench   build and run the benchmarks; `--win64` instead builds the Windows benchmark
#                    and runs it under Wine on a virtual X screen: the control on the Win32
#                    backend beside the system's month calendar, with the ratios
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev qt6-base-dev qt6-tools-dev xvfb xauth xdotool fonts-dejavu-core
          fonts-liberation2 valgrind g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
          wine wine64 dpkg-dev file lintian wixl msitools help2man dbus-daemon at-spi2-core
          python3-pyatspi)

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

# One Wine prefix per run, made once every Wine package is in place, with its server started first:
# a `$(wine ...)` capture would otherwise wait for the server that wine starts to end. `x11` keeps
# Wine's X11 display driver (for $DISPLAY) instead of the null one.
start_wine() {
  export WINEPREFIX=$PWD/build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  (setsid wineserver -p >/dev/null 2>&1 &)
  wine cmd /c exit >/dev/null 2>&1
  # Windows without a display: the null driver keeps them (and draws into bitmaps) where the X11
  # driver would refuse to create one.
  if [[ "${1:-null}" == null ]]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}

# Google Benchmark for the Windows build, from Debian's source package (Debian packages the
# library for the build machine only): fetched with apt into build/, through source lists and
# package lists of its own, so the system's are left as they are. apt checks the files against
# the signed index; a failed fetch leaves the Windows benchmarks out of the build.
fetch_benchmark_source() {
  local target=build/sources/benchmark apt_dir=$PWD/build/apt-sources
  [[ -f $target/CMakeLists.txt ]] && return
  mkdir -p "$apt_dir"/{sources.list.d,lists/partial,cache/archives/partial} build/sources
  cat >"$apt_dir/sources.list.d/debian-source.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  local apt=(apt-get -qq -o Dir::Etc::SourceList=/dev/null
             -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
             -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
  "${apt[@]}" update || return 1
  (cd "$apt_dir" && "${apt[@]}" source --download-only benchmark=1.7.1-1) || return 1
  dpkg-source --no-check -x "$apt_dir"/benchmark_1.7.1-1.dsc "$target" >/dev/null
}

build() {  # build PRESET [CMAKE ARGUMENTS...]
  cmake --preset "$1" "${@:2}" >/dev/null
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
    # The 32-bit control and programs run on Wine's 32-bit side, packaged for i386 only.
    packages+=(wine32:i386)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      sudo=()
      [[ $(id -u) -ne 0 ]] && sudo=(sudo)
      "${sudo[@]}" dpkg --add-architecture i386
    fi
    install_missing_packages
    for preset in default asan; do
      build "$preset"
      ctest --preset "$preset" -j "$(nproc)"
    done
    # The Windows builds, with the time each step takes (Wine's start-up is most of the tests').
    fetch_benchmark_source || echo "Google Benchmark's source not fetched: no Windows benchmarks"
    started=$SECONDS
    start_wine
    build win64
    echo "win64: built in $((SECONDS - started)) s"
    started=$SECONDS
    ctest --preset win64 -j "$(nproc)"
    echo "win64: tests under Wine in $((SECONDS - started)) s"
    started=$SECONDS
    # The 32-bit control's resources and installer tables are written by the 64-bit writers, as a
    # build must where Wine runs only 64-bit programs: the one way it is built here.
    build win32 -DDNOVAR_RESOURCE_WRITER="$PWD/build/win64/host/activex/dnovar-activex-resources.exe" \
      -DDNOVAR_INSTALLER_TABLES_WRITER="$PWD/build/win64/dnovar-installer-tables.exe"
    echo "win32: built in $((SECONDS - started)) s"
    started=$SECONDS
    ctest --preset win32 -j "$(nproc)"
    echo "win32: tests under Wine in $((SECONDS - started)) s"
    ;;
  bench)
    # Arguments go to both benchmark programs; --benchmark_format=json makes the whole output one
    # JSON document (the table's rows and every benchmark's medians) for scripts.
    install_missing_packages
    if [[ "${2:-}" == --win64 ]]; then
      fetch_benchmark_source
      cmake --preset win64 >/dev/null
      cmake --build --preset win64 -j "$(nproc)" --target dnovar_win_bench
      # Painted as on a desktop: Wine's X11 driver on a virtual screen of its own, made before
      # the prefix so that Wine's desktop process uses it.
      number=90
      while [[ -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
      display=:$number
      Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb=$!
      export DISPLAY=$display
      sleep 1
      start_wine x11
      trap 'wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true' EXIT
      wine build/win64/bench/win32/dnovar_win_bench.exe "${@:3}" 2>&1 | tr -d '\r'
      exit "${PIPESTATUS[0]}"
    fi
    build default
    bench=./build/default/bench
    results=build/bench-results
    mkdir -p "$results"
    json=false
    for argument in "${@:2}"; do
      [[ "$argument" == --benchmark_format=json ]] && json=true
    done
    # Several repetitions of each Qt measure; the table takes their medians. The machine may be
    # shared: the spread (stddev, cv) in the JSON tells how much to trust a figure.
    repetitions=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
    if $json; then
      "$bench/dnovar_bench" --benchmark_out="$results/headless.json" --benchmark_out_format=json \
        "${@:2}" >/dev/null
    else
      "$bench/dnovar_bench" --benchmark_out="$results/headless.json" --benchmark_out_format=json \
        "${@:2}"
    fi
    # Instructions per refresh, counted by callgrind over 1000 refreshes (exact, so counted once).
    total=$(valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null \
              "$bench/refresh_instructions" 1000 2>&1 | sed -n 's/.*Collected : *\([0-9]*\).*/\1/p')
    instructions=$((total / 1000))
    $json || echo "Aktualizuj: $instructions instructions per refresh (callgrind, 1000 refreshes)"
    # On Qt, beside QCalendarWidget: month switch with repaint, creation to first paint, memory.
    if $json; then
      QT_QPA_PLATFORM=offscreen "$bench/qt/dnovar_qt_bench" "${repetitions[@]}" \
        --benchmark_out="$results/qt.json" --benchmark_out_format=json "${@:2}" >/dev/null 2>&1
      "$bench/bench_table" --qt "$results/qt.json" --instructions "$instructions" \
        --headless "$results/headless.json" --json
    else
      QT_QPA_PLATFORM=offscreen "$bench/qt/dnovar_qt_bench" "${repetitions[@]}" \
        --benchmark_out="$results/qt.json" --benchmark_out_format=json "${@:2}" 2> >(grep -v propagateSizeHints >&2)
      "$bench/bench_table" --qt "$results/qt.json" --instructions "$instructions"
      echo "(CPU time and memory: medians of ${repetitions[0]#*=} repetitions; JSON in $results/)"
    fi
    ;;
  *)
    echo "usage: $0 run | test | bench [--win64]" >&2
    exit 2
    ;;
esac
