#!/usr/bin/env bash
# Builds both configurations and lays out the program folder dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
jobs=${TOVANEL_JOBS:-$(nproc)}

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"

cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DTOVANEL_NATIVE_BUILD_DIR="$root/build/native" >/dev/null
cmake --build build/windows -j "$jobs"
