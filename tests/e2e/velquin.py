"""Helpers for the tests of Velquin.exe: program folders laid out like dist/,
settings tables made with rtbtool, starting the program and watching it."""

import json
import os
import shutil
import subprocess

from bench import config, skip, windows_path

MAIN_CLASS, MAIN_CAPTION = "TovanelMainWindow", "Tovanel"
CHAT_CLASS, CHAT_TITLE = "WeChatMainWndForPC", "微信"
SETTINGS_FILE = "设置.RTB"
PASSWORD = "240513"
# The settings table's fields in their order.
SETTING_FIELDS = ("粘贴或发送", "托盘图标", "隐藏运行", "跟随微信", "开机启动")
TRAY_TIP = "Velquin"


def require_program():
    """Skips the test while Velquin.exe or rtbtool is not built yet."""
    dist = config("TOVANEL_E2E_DIST")
    rtbtool = config("TOVANEL_E2E_RTBTOOL")
    if not os.path.isfile(os.path.join(dist, "Velquin.exe")):
        skip(f"{dist}/Velquin.exe is not built yet")
    if not os.access(rtbtool, os.X_OK):
        skip(f"{rtbtool} is not built yet")
    return dist, rtbtool


def rtbtool(*args):
    tool = config("TOVANEL_E2E_RTBTOOL")
    result = subprocess.run([tool, *args], capture_output=True, text=True, timeout=30)
    if result.returncode != 0:
        raise AssertionError(f"rtbtool {args[0]} failed: {result.stderr.strip()}")
    return result.stdout


def write_settings(folder, values, password=PASSWORD):
    """Replaces the settings table by one record with the given flags
    (a dict of field name to bool; fields left out are false)."""
    path = os.path.join(folder, SETTINGS_FILE)
    if os.path.exists(path):
        os.remove(path)
    rtbtool("create", path, "--password", password, *(f"{f}:logical" for f in SETTING_FIELDS))
    rtbtool("add", path, "--password", password,
            *(f"{f}={'true' if values.get(f) else 'false'}" for f in SETTING_FIELDS))


def read_settings(folder):
    lines = rtbtool("dump", os.path.join(folder, SETTINGS_FILE), "--password", PASSWORD)
    return [json.loads(line) for line in lines.splitlines() if line.strip()]


def program_folder(bench, settings=None):
    """A copy of dist/ in a fresh folder whose path has a space and Chinese
    characters, as a user's may; `settings` replaces the settings table."""
    dist = config("TOVANEL_E2E_DIST")
    folder = bench.temp_dir("Velquin 程序")
    for name in os.listdir(dist):
        source = os.path.join(dist, name)
        target = os.path.join(folder, name)
        if os.path.isdir(source):
            shutil.copytree(source, target)
        else:
            shutil.copy2(source, target)
    if settings is not None:
        write_settings(folder, settings)
    return folder


def start_velquin(bench, folder):
    """Starts Velquin.exe from another working directory: it must find its
    tables by itself. Returns the pid."""
    exe = windows_path(os.path.join(folder, "Velquin.exe"))
    return bench.drive("start", exe, windows_path(os.path.dirname(folder)))["pid"]


def start_standin(bench, rect=(40, 60, 700, 600)):
    exe = windows_path(config("TOVANEL_E2E_STANDIN"))
    pid = bench.drive("start", exe, "-", "--rect", ",".join(str(v) for v in rect))["pid"]
    # The stand-in lays out its children before it shows.
    return bench.wait_window(CHAT_CLASS, CHAT_TITLE, visible=True, pid=pid)


def tray_icons(bench):
    """Visible notification-area icons as (tip, icon window) pairs."""
    return [(i.get("tip"), i) for i in bench.drive("tray")["icons"] if i["visible"]]


def wait_tray_icon(bench, present):
    """Waits until Velquin's tray icon is in Wine's tray window (present=True)
    or gone from it; an icon the program added shows up there a little later.
    Returns the tips of the visible icons."""
    return bench.wait_until(lambda: [tip for tip, _ in tray_icons(bench)],
                            f"Velquin's tray icon {'shown' if present else 'gone'}",
                            until=lambda tips: (TRAY_TIP in tips) == present)


def wait_started(bench, pid):
    """Waits until start-up has run to its end and returns the main window's
    description. Start-up runs inside the main window's WM_CREATE, so the
    window can be found while it is still going on; the thread answering a
    message shows it is over. The tray icon, which start-up always shows,
    must then have reached the tray."""
    found = bench.wait_window(MAIN_CLASS, MAIN_CAPTION, pid=pid)
    bench.wait_until(lambda: bench.drive("sync", found["hwnd"], 1000),
                     "Velquin's start-up to end (its window answering a message)",
                     until=lambda r: r["answered"])
    wait_tray_icon(bench, True)
    return bench.drive("window", found["hwnd"])


def children_by_text(bench, hwnd):
    return {c["title"]: c for c in bench.drive("children", hwnd)["children"] if c["title"]}


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def end_velquin(bench, pid):
    """Stops a copy that a test does not end on purpose."""
    if not bench.drive("wait", pid, 0)["exited"]:
        bench.kill(pid)
    wait_tray_icon(bench, False)
