#!/usr/bin/env bash
# Installs what the Windows build needs: the MinGW-w64 cross compilers (32 and 64 bit), Wine to
# run their programs (32-bit Wine needs the i386 architecture), and, since neither is packaged for
# the cross compilers, SQLite's amalgamation and a static libtiff for each target, both made from
# the distribution's source packages. Prints the folder holding them (sqlite/, tiff-ARCH/).
# Idempotent.
set -euo pipefail
cd "$(dirname "$0")/.."
deps="$PWD/build/windows-deps"

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 wine32:i386 tcl
  dpkg-dev xz-utils bzip2)
source scripts/install-packages.sh
install_packages setup-windows "${packages[@]}"

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
  (cd "$deps/sqlite-source" && { apt-get source --download-only sqlite3 >/dev/null 2>&1 || true; } &&
    tar -xf sqlite3_*.orig.tar.xz && cd sqlite3-*/ && mkdir -p build && cd build &&
    ../configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  cp "$deps"/sqlite-source/sqlite3-*/build/sqlite3.[ch] "$deps/sqlite/"
fi

# libtiff without its optional codecs: the stand-in host only reads image sizes.
for arch in i686 x86_64; do
  if [ -f "$deps/tiff-$arch/lib/libtiff.a" ]; then continue; fi
  if [ ! -d "$deps/tiff-source" ]; then
    mkdir -p "$deps/tiff-source"
    # Only the upstream tarball is needed; a mirror may lack the packaging files beside it.
    (cd "$deps/tiff-source" && { apt-get source --download-only tiff >/dev/null 2>&1 || true; } &&
      tar -xf tiff_*.orig.tar.*)
  fi
  source_dir=$(echo "$deps"/tiff-source/libtiff-*/)
  codecs_off=()
  for codec in cxx zlib jpeg old-jpeg jbig lerc lzma webp zstd libdeflate pixarlog; do
    codecs_off+=("-D$codec=OFF")
  done
  cmake -S "$source_dir" -B "$deps/tiff-build-$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
    "${codecs_off[@]}" -DCMAKE_INSTALL_PREFIX="$deps/tiff-$arch" >/dev/null
  cmake --build "$deps/tiff-build-$arch" >/dev/null
  cmake --install "$deps/tiff-build-$arch" >/dev/null
done
echo "$deps"
