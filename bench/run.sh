#!/usr/bin/env bash
# Builds and runs the store benchmarks, then prints for each job the store's
# time against SQLite's and against the floor (plain reads and deciphering).
# Extra arguments go to the benchmark, e.g. --benchmark_filter=Load.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVANEL_BENCH_BUILD:-$root/build/native}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target store_bench
out="$build/bench/store_bench.json"
"$build/bench/store_bench" --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json "$@" >/dev/null
python3 - "$out" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
times = {}
for run in runs:
    # "Load/store/1000/real_time" -> job, implementation, replies
    job, impl, count = run["name"].split("/")[:3]
    times[(job, int(count), impl)] = run["real_time"]
print(f"{'job':<18}{'replies':>8}{'store us':>12}{'sqlite us':>12}{'floor us':>12}"
      f"{'store/sqlite':>14}{'store/floor':>13}")
for job, count in sorted({(j, c) for j, c, _ in times}, key=lambda k: (k[0], k[1])):
    s, q, f = (times.get((job, count, i)) for i in ("store", "sqlite", "floor"))
    if None in (s, q, f):
        continue
    print(f"{job:<18}{count:>8}{s:>12.1f}{q:>12.1f}{f:>12.1f}{s / q:>14.2f}{s / f:>13.2f}")
PY
