#!/usr/bin/env bash
# Installs what the Windows build needs: the MinGW-w64 cross compilers (32 and 64 bit), Wine to
# run their programs (32-bit Wine needs the i386 architecture), and SQLite's amalgamation, made
# from the distribution's source package since no SQLite is packaged for the cross compilers.
# Prints the folder holding sqlite3.c. Idempotent.
set -euo pipefail
cd "$(dirname "$0")/.."
deps="$PWD/build/windows-deps"

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 wine32:i386 tcl
  dpkg-dev xz-utils)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} > 0)); then
  echo "setup-windows: installing ${missing[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
fi

if [ ! -f "$deps/sqlite/sqlite3.c" ]; then
  # Source packages come from the same archive as the binary ones: a deb-src twin of its list.
  if ! apt-get source --download-only --print-uris sqlite3 >/dev/null 2>&1; then
    for list in /etc/apt/sources.list.d/*.sources; do
      if grep -q "^Types: deb$" "$list" && [ ! -f "${list%.sources}-src.sources" ]; then
        sed 's/^Types: deb$/Types: deb-src/' "$list" | $sudo tee "${list%.sources}-src.sources" >/dev/null
      fi
    done
    $sudo apt-get update -qq
  fi
  rm -rf "$deps/sqlite-source" && mkdir -p "$deps/sqlite-source" "$deps/sqlite"
  (cd "$deps/sqlite-source" && apt-get source --download-only sqlite3 >/dev/null 2>&1 &&
    tar -xf sqlite3_*.orig.tar.xz && cd sqlite3-*/ && mkdir -p build && cd build &&
    ../configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  cp "$deps"/sqlite-source/sqlite3-*/build/sqlite3.[ch] "$deps/sqlite/"
fi
echo "$deps/sqlite"
