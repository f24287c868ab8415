#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer under the address and undefined-behaviour
# sanitizers and runs each one for the given number of seconds (default 60) from its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_BUILD_FUZZERS=ON -DQV_SANITIZE=ON -DQV_WARNINGS_AS_ERRORS=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCHMARKS=OFF \
  -DQV_BUILD_EXAMPLES=OFF -DQV_BUILD_TOOLS=OFF -DQV_HEADER_CHECK=OFF >/dev/null
cmake --build build/fuzz --parallel "$(nproc)"

for source in fuzz/*_fuzzer.cpp; do
  target=$(basename "$source" .cpp)
  name=${target%_fuzzer}
  work=build/fuzz/corpus-$name
  mkdir -p "$work"
  dict=()
  if [ -f "fuzz/$name.dict" ]; then dict=(-dict="fuzz/$name.dict"); fi
  echo "-- $target for ${seconds}s"
  "build/fuzz/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 \
    -print_final_stats=0 "${dict[@]}" "$work" "fuzz/corpus/$name" >"build/fuzz/$name.log" 2>&1 || {
    tail -n 60 "build/fuzz/$name.log"
    exit 1
  }
  grep -E '^Done|#[0-9]+.*DONE' "build/fuzz/$name.log" | tail -n 1 || true
done
