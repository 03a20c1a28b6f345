#!/usr/bin/env bash
# Builds and runs the refill benchmark: RefillReplyList in the panel's real
# list view under Wine (on a private Xvfb display) beside the store's own load
# of the same table in the same process, and that load natively. Prints the
# medians and the ratios. An argument sets the repeats per measurement.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${TOVANEL_BENCH_BUILD:-$root/build/native}
windows=${TOVANEL_WINE_BUILD:-$root/build/windows}
repeats=${1:-5}
cmake --build "$native" -j 2 --target refill_bench >/dev/null
cmake --build "$windows" -j 2 --target refill_bench >/dev/null

out=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$out"' EXIT
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
display=$(head -n1 "$out/display")

DISPLAY=":$display" TOVANEL_WINE_BUILD="$windows" bash "$root/scripts/wine-run.sh" \
  "$windows/bench/refill_bench.exe" "$repeats" | tr -d '\r' >"$out/wine"
WINEPREFIX="$windows/wineprefix" wineserver -k 2>/dev/null || true
"$native/bench/refill_bench" "$repeats" >"$out/native"

python3 - "$out/wine" "$out/native" <<'PY'
import sys
def read(path):
    runs = {}
    for line in open(path):
        job, count, median, _ = line.split()
        runs[(job, int(count))] = float(median)
    return runs
wine, native = read(sys.argv[1]), read(sys.argv[2])
print("medians in ms; refill = the store's reading into rows + the list's share")
print(f"{'replies':>8}{'refill':>10}{'load':>10}{'records':>10}{'list':>8}{'native load':>13}"
      f"{'refill/load':>13}{'load wine/native':>18}")
for count in sorted({c for _, c in wine}):
    refill, load, records, shown = (wine[(job, count)] / 1000
                                    for job in ("refill", "load", "records", "list"))
    here = native[("load", count)] / 1000
    print(f"{count:>8}{refill:>10.1f}{load:>10.1f}{records:>10.1f}{shown:>8.1f}{here:>13.1f}"
          f"{refill / load:>13.2f}{load / here:>18.2f}")
PY
