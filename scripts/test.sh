#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the bounded fuzz
# run, and the cross-built programs under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
jobs=${TOVANEL_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DTOVANEL_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzz_targets

# The Wine prefixes, made before the tests that share them start
# (fresh-wineprefix is only ever copied: the setup tests start from it).
for prefix in wineprefix e2e-wineprefix fresh-wineprefix e2e-wineprefix-144dpi; do
  WINEPREFIX="$root/build/windows/$prefix" scripts/wine-run.sh cmd /c exit 0 >/dev/null 2>&1 || true
done

status=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1
ctest --test-dir build/fuzz --output-on-failure || status=1
ctest --test-dir build/windows --output-on-failure || status=1
exit $status
