#!/usr/bin/env bash
# The automation's benchmarks: the per-event work of the hooks and one docking
# tick natively against fakes, then the Win32 side under Wine (docking tick,
# idle CPU, F-key delivery against the floor). Not part of ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${TOVANEL_BENCH_BUILD:-$root/build/native}
windows=${TOVANEL_BENCH_WINDOWS_BUILD:-$root/build/windows}
cmake --build "$native" -j 2 --target automation_bench rtbtool
cmake --build "$windows" -j 2 --target automation_wine_bench Velquin chatstandin e2edriver
"$native/bench/automation_bench" --benchmark_min_time=0.2
e2e="$windows/tests/e2e"
TOVANEL_E2E_ARTIFACTS="$e2e/artifacts" \
TOVANEL_E2E_WINE_RUN="$root/scripts/wine-run.sh" \
TOVANEL_E2E_PREFIX="$windows/e2e-wineprefix" \
TOVANEL_E2E_DRIVER="$windows/tools/e2edriver/e2edriver.exe" \
TOVANEL_E2E_STANDIN="$windows/tools/chatstandin/chatstandin.exe" \
TOVANEL_E2E_DIST="$root/dist" \
TOVANEL_E2E_RTBTOOL="$native/tools/rtbtool/rtbtool" \
TOVANEL_BENCH_EXE="$windows/bench/automation_wine_bench.exe" \
PYTHONDONTWRITEBYTECODE=1 \
  python3 "$root/bench/automation_wine.py"
