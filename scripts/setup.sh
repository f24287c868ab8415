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

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "setup: all build and test packages present"
