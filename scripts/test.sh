#!/usr/bin/env bash
# Sets up, builds and runs every test: formatting, a normal build, an address and
# undefined-behaviour sanitized build, a thread-sanitized build of the threaded tests, a short run
# of every fuzz target, and the Windows builds (32 and 64 bit) with their tests under Wine.
# Exits non-zero at the first failure. Every build here treats
# warnings as errors (a user's build does not by default). The normal build is a Release build,
# as a user's first `cmake -DCMAKE_BUILD_TYPE=Release` build is, so that warnings that only the
# optimizer's analysis gives stop CI and not that user.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/setup.sh

echo "== formatting"
bash scripts/format.sh --check

echo "== normal build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build/release --parallel "$jobs"
ctest --test-dir build/release --output-on-failure --parallel "$jobs"

echo "== address and undefined-behaviour sanitizers"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_WARNINGS_AS_ERRORS=ON \
  -DQV_BUILD_BENCHMARKS=OFF -DQV_BUILD_EXAMPLES=OFF -DQV_HEADER_CHECK=OFF >/dev/null
cmake --build build/asan --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure --parallel "$jobs"

if ls tests/support/*_test.cpp >/dev/null 2>&1; then
  echo "== thread sanitizer"
  cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_TSAN=ON -DQV_WARNINGS_AS_ERRORS=ON \
    -DQV_BUILD_BENCHMARKS=OFF -DQV_BUILD_EXAMPLES=OFF -DQV_HEADER_CHECK=OFF >/dev/null
  cmake --build build/tsan --parallel "$jobs" --target test_support
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -L support
fi

if ls fuzz/*_fuzzer.cpp >/dev/null 2>&1; then
  echo "== fuzzing (short runs)"
  bash scripts/fuzz.sh "${QV_FUZZ_SECONDS:-10}"
fi
echo "== Windows build, tests under Wine"
bash scripts/windows-test.sh

echo "== all tests passed"
