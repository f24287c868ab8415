#!/usr/bin/env bash
# Builds the library and every test program for Windows with MinGW-w64 against the real SDK
# headers, 32-bit (the host's own target) and 64-bit, warnings as errors, and runs the tests under
# Wine through CTest, which starts them through the toolchains' emulator (Wine) as it starts the
# native ones: every test of the folders that run on Windows, each program whole. Each target has a
# Wine prefix of its own in its build folder; no display is used. A kernel built without 32-bit
# programs (some virtual machines' are) cannot start Wine's 32-bit loader: the i686 tests are then
# built but not run, and the script says so.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
deps=$(bash scripts/setup-windows.sh)
# CTest labels (test folders) run under Wine. On i686 the folders that have been run there; every
# folder on x86_64 (README, "Windows").
folders='expr|records|text|support'
everyFolder="$folders|dialogs|platform|host|settings|drawing|module"

for arch in i686 x86_64; do
  echo "== Windows build ($arch)"
  build="build/windows-$arch"
  # Wine makes the prefix when the first program starts.
  export WINEPREFIX="$PWD/$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQV_SQLITE_SOURCE="$deps/sqlite" -DQV_WARNINGS_AS_ERRORS=ON \
    -DTIFF_INCLUDE_DIR="$deps/tiff-$arch/include" -DTIFF_LIBRARY="$deps/tiff-$arch/lib/libtiff.a" \
    -DQV_STB_INCLUDE_DIR=/usr/include/stb \
    -DQV_BUILD_BENCHMARKS=OFF -DQV_BUILD_TOOLS=OFF -DQV_BUILD_EXAMPLES=OFF -DQV_HEADER_CHECK=OFF \
    >/dev/null
  cmake --build "$build" --parallel "$jobs"
  if [ "$arch" = i686 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "-- tests under Wine ($arch) NOT RUN: this machine's kernel does not start 32-bit programs"
    continue
  fi
  labels="^($folders)$"
  if [ "$arch" = x86_64 ]; then
    # The other folders were first run under Wine on a machine that could not start i686.
    labels="^($everyFolder)$"
  fi
  echo "-- tests under Wine ($arch, labels $labels)"
  # One program at a time: the debugger output is read through the one system-wide buffer
  # ("DBWIN_BUFFER"), which a single process of the prefix can listen on.
  ctest --test-dir "$build" --output-on-failure --timeout 600 -L "$labels"
  wineserver -k 2>/dev/null || true
done
