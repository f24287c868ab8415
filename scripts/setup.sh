#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and fuzzing the library need.
# Idempotent: packages already present are left alone, and apt runs only when one is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build git
  clang libclang-rt-14-dev clang-format
  libsqlite3-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  libpugixml-dev libtinyxml2-dev libcsv-dev
  libtiff-dev libstb-dev
  locales
  python3
)

source "$(dirname "$0")/install-packages.sh"
install_packages setup "${packages[@]}"
echo "setup: all build and test packages present"
