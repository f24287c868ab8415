#!/usr/bin/env bash
# Runs the benchmarks the one way their figures may be taken: a Release build, an idle machine,
# every peer in the same process, repetitions interleaved in random order so that a change of load
# falls on the library and its peers alike, medians of the repetitions. Prints a header naming the
# machine, its load and the command, for the README's tables.
#
#   bash scripts/bench.sh [--reps N] [--force] [--plain-host-memory] [folder [benchmark-filter]]
#
# folder is a folder of bench/ (records, text, ...; all of them when omitted); the filter is
# Google Benchmark's regular expression. The script refuses to run when the one-minute load
# average is above 0.5, since a loaded machine slows the peers down differently from the library;
# --force runs anyway and marks every figure as taken under load. --plain-host-memory builds the
# stand-in host's allocator as the C library's, without its counts and checks (build/bench-plain),
# so that the difference from a normal run is the stand-in's share. After the figures, a table
# gives each benchmark's growth from each size to its double.
set -euo pipefail
cd "$(dirname "$0")/.."

reps=3
force=0
build=build/bench
plain=OFF
while [[ $# -gt 0 ]]; do
  case "$1" in
    --reps) reps="$2"; shift 2 ;;
    --force) force=1; shift ;;
    --plain-host-memory) build=build/bench-plain; plain=ON; shift ;;
    -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) break ;;
  esac
done
folder="${1:-}"
filter="${2:-.}"
if (( reps < 3 )); then
  echo "bench.sh: at least 3 repetitions are needed for a median" >&2
  exit 2
fi

load_now() { cut -d' ' -f1 /proc/loadavg; }
loaded() { awk -v l="$(load_now)" 'BEGIN { exit !(l > 0.5) }'; }

bash scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF \
  -DQV_BUILD_BENCHMARKS=ON -DQV_HEADER_CHECK=OFF -DQV_PLAIN_HOST_MEMORY="$plain" >/dev/null
if [[ -n "$folder" ]]; then
  targets=("bench_$folder")
else
  mapfile -t targets < <(find bench -mindepth 1 -maxdepth 1 -type d -printf 'bench_%f\n' | sort)
fi
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

# The build itself raises the load: give it a minute to settle before judging the machine.
for _ in $(seq 1 12); do
  loaded || break
  sleep 5
done
warning=""
if loaded; then
  if (( force == 0 )); then
    echo "bench.sh: load average $(load_now) is above 0.5; figures taken now are not comparable." >&2
    echo "bench.sh: stop the builds, tests and helpers that run, or pass --force." >&2
    exit 3
  fi
  warning=" (LOADED: --force; do not record these figures)"
  echo "!!!!!!!! load average $(load_now): these figures are taken under load !!!!!!!!" >&2
fi

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "machine: $(nproc) cores of ${cpu:-an unknown CPU}, $(. /etc/os-release && echo "$PRETTY_NAME"), $(g++ --version | head -1)"
echo "load average at start: $(load_now)${warning}"
echo "command: bash scripts/bench.sh --reps $reps$([[ $plain == ON ]] && echo " --plain-host-memory") ${folder:-} ${2:-}"
if [[ $plain == ON ]]; then
  echo "host allocator: plain (the stand-in's counts and checks are off)"
fi
medians=$(mktemp)
trap 'rm -f "$medians"' EXIT
for target in "${targets[@]}"; do
  echo "== $target"
  "$build/bench/$target" --benchmark_filter="$filter" --benchmark_repetitions="$reps" \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) ' |
    tee -a "$medians"
done
echo "load average at end: $(load_now)"
echo "== growth per doubling (median CPU time at a size over that at half the size)"
python3 scripts/bench_growth.py <"$medians"
