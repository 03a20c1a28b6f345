"""The automation under Wine, on a private Xvfb like the end-to-end tests:
one docking tick against the real desktop, the panel's CPU while it follows
a still chat window for 30 s, and the time from an F-key to the text in the
stand-in beside the floor (clipboard and Ctrl+V alone). Run by
bench/automation.sh; prints one line per measure and the ratios."""

import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from automation import read_log, start_chat, wait_docked, write_replies  # noqa: E402
from bench import Bench, config, windows_path  # noqa: E402
from velquin import program_folder, start_velquin, wait_started  # noqa: E402

IDLE_SECONDS = 30
PRESSES = int(os.environ.get("TOVANEL_BENCH_PRESSES", "30"))
VK_F3 = 114


def run_exe(bench, *args):
    result = subprocess.run([bench.wine_run, config("TOVANEL_BENCH_EXE"), *map(str, args)],
                            env=bench.env, capture_output=True, text=True, timeout=600)
    lines = [json.loads(line) for line in result.stdout.splitlines() if line.startswith("{")]
    if result.returncode != 0 or not lines:
        raise RuntimeError(f"bench exe {args[0]} failed ({result.returncode}): {result.stderr}")
    return lines


def linux_pids(prefix, needle):
    """Linux processes of the Wine session in `prefix` whose command line
    holds `needle`."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                cmdline = f.read()
            with open(f"/proc/{entry}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if needle.encode() in cmdline and f"WINEPREFIX={prefix}".encode() in environ:
            found.append(int(entry))
    return found


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle_cpu(bench, names):
    pids = {name: linux_pids(bench.prefix, name) for name in names}
    before = {name: sum(cpu_seconds(p) for p in ps) for name, ps in pids.items()}
    start = time.monotonic()
    time.sleep(IDLE_SECONDS)  # the measure itself: the panel alone, following
    elapsed = time.monotonic() - start
    return {name: 100 * (sum(cpu_seconds(p) for p in ps) - before[name]) / elapsed
            for name, ps in pids.items()}


def twelve_rows(bench, work):
    """The longest F-key delivery: twelve rows keyed F3, in send mode, with
    the clipboard held by another program for 60 ms as the key is pressed.
    Each press logs twelve pastes and twelve sends (and the key)."""
    log = os.path.join(work, "twelve.txt")
    chat = start_chat(bench, (40, 60, 700, 600), log)
    folder = program_folder(bench, {"跟随微信": True, "粘贴或发送": True})
    write_replies(folder, [("F3", f"第 {i} 条") for i in range(1, 13)])
    pid = start_velquin(bench, folder)
    panel = wait_started(bench, pid)["hwnd"]
    bench.drive("activate", chat["hwnd"])
    wait_docked(bench, panel, chat["hwnd"])
    rect = chat["rect"]
    bench.drive("click", rect[2] - 33, rect[3] - 58)
    runs = []
    for _ in range(3):
        bench.drive("hold-clipboard", 60)
        try:
            runs += run_exe(bench, "fkey", windows_path(log), 1, VK_F3, 24)
        except RuntimeError:
            raise RuntimeError(f"twelve rows: the stand-in logged {len(read_log(log))} lines")
    worst = max(r["worst_us"] for r in runs)
    median = sorted(r["median_us"] for r in runs)[1]
    return [{"what": "12 rows, send mode, clipboard held 60 ms", "runs": 3,
             "median_us": median, "worst_us": worst}]


def main():
    results = []
    with Bench("automation_bench", timeout=900) as bench:
        results += run_exe(bench, "dock-ticks", 500)

        work = bench.temp_dir("bench")
        log = os.path.join(work, "events.txt")
        chat = start_chat(bench, (40, 60, 700, 600), log)
        folder = program_folder(bench, {"跟随微信": True})
        write_replies(folder, [("F3", "bench reply"), ("", "other")])
        pid = start_velquin(bench, folder)
        panel = wait_started(bench, pid)["hwnd"]
        bench.drive("activate", chat["hwnd"])
        wait_docked(bench, panel, chat["hwnd"])

        cpu = idle_cpu(bench, ["Velquin.exe", "wineserver"])
        print(f"idle, following a still chat window for {IDLE_SECONDS} s: Velquin.exe "
              f"{cpu['Velquin.exe']:.2f} % of a core, wineserver {cpu['wineserver']:.2f} %")

        # The floor first: the input box gets the focus once, by hand.
        rect = chat["rect"]
        bench.drive("click", rect[2] - 33, rect[3] - 58)
        results += run_exe(bench, "paste", windows_path(log), PRESSES)
        results += run_exe(bench, "fkey", windows_path(log), PRESSES, VK_F3, 1)
        bench.drive("kill", pid)
        bench.drive("kill", chat["pid"])
        for r in results:
            print(json.dumps(r), flush=True)
        results += twelve_rows(bench, work)
    for r in results:
        print(f"{r['what']:<40} median {r['median_us'] / 1000:8.2f} ms   "
              f"worst {r['worst_us'] / 1000:8.2f} ms   ({r['runs']} runs)")
    by = {r["what"]: r for r in results}
    floor = by.get("paste floor: clipboard and Ctrl+V")
    fkey = by.get("F-key delivery, paste only")
    if floor and fkey:
        print(f"F-key paste-only / floor: {fkey['median_us'] / floor['median_us']:.2f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
