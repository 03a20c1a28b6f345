#!/usr/bin/env bash
# Cross-builds a static libpng for the Windows build from Debian's own source
# package (Debian ships no mingw libpng), against libz-mingw-w64-dev.
# Idempotent: returns at once when the library is already installed.
#   TOVANEL_DEPS_DIR  install prefix (default: <repo>/.deps/mingw)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${TOVANEL_DEPS_DIR:-$root/.deps/mingw}
host=x86_64-w64-mingw32

if [ -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/include/png.h" ]; then
  exit 0
fi

# apt-get source needs a deb-src entry; derive it from the machine's own list.
src_list=/etc/apt/sources.list.d/tovanel-src.sources
if ! apt-get source --print-uris -qq libpng1.6 >/dev/null 2>&1; then
  if [ ! -f "$src_list" ]; then
    base=/etc/apt/sources.list.d/debian.sources
    [ -f "$base" ] || { echo "build-libpng-mingw: no $base to derive deb-src from" >&2; exit 1; }
    echo "build-libpng-mingw: adding deb-src entries ($src_list)"
    sed 's/^Types:.*/Types: deb-src/' "$base" >"$src_list"
  fi
  apt-get update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# apt's download user must be able to write here.
if id _apt >/dev/null 2>&1; then chown _apt "$work"; fi
# The newest version may be missing from a mirror; the release's own one serves.
if ! apt-get source --download-only -qq libpng1.6 >/dev/null 2>&1; then
  rm -f libpng1.6_*
  apt-get source --download-only -qq libpng1.6/bookworm >/dev/null
fi
tarball=$(ls libpng1.6_*.orig.tar.* 2>/dev/null | head -n 1)
[ -n "$tarball" ] || { echo "build-libpng-mingw: no upstream tarball" >&2; exit 1; }
# Upstream sources plus Debian's fixes; the bare tarball when unpacking fails.
if ! dpkg-source --no-check -x libpng1.6_*.dsc src >/dev/null 2>&1; then
  rm -rf src && mkdir src && tar -xf "$tarball" -C src --strip-components=1
fi

echo "build-libpng-mingw: building $tarball for $host into $prefix"
cat >toolchain.cmake <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $host-gcc-posix)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$host)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
cmake -S src -B build -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/$host/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$host/include >/dev/null
cmake --build build -j "${TOVANEL_JOBS:-2}" >/dev/null
cmake --install build >/dev/null
# The static archive may be named libpng16.a only; give it the plain name too.
if [ ! -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/lib/libpng16.a" ]; then
  cp "$prefix/lib/libpng16.a" "$prefix/lib/libpng.a"
fi
echo "build-libpng-mingw: done"
