#!/usr/bin/env bash
# Sets up, builds and runs the example: the console qvhost starts the stand-in host, loads the
# module as the host loads it, and runs examples/survey_report.lsp, a surveyor's small job done
# with the module's functions; it prints the report on the host's command line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --parallel "$(nproc)" --target qvhost
user_dir=$(mktemp -d)
trap 'rm -rf "$user_dir"' EXIT
build/release/tools/qvhost/qvhost --user-dir "$user_dir" examples/survey_report.lsp
