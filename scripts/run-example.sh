#!/usr/bin/env bash
# Sets up, builds and runs the example: a module loaded into the stand-in host, a drawing opened,
# one of the module's AutoLISP functions called, and the host's command line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --parallel "$(nproc)" --target host_session
build/release/examples/host_session
