"""Helpers for the tests of the chat-client automation: the stand-in with its
event log, the panel's docked place, and waiting for a state of a window
while keeping what was seen last for the failure message."""

import os

from bench import config, wait_for, windows_path
from velquin import CHAT_CLASS, CHAT_TITLE, PASSWORD, rtbtool

PANEL_WIDTH = 300
WS_EX_TOPMOST = 0x8
NOTEPAD = r"C:\windows\notepad.exe"


def start_chat(bench, rect, log=None):
    """Starts the stand-in chat client at rect (left, top, width, height);
    returns its window description."""
    args = ["--rect", ",".join(str(v) for v in rect)]
    if log:
        args += ["--log", windows_path(log)]
    started = bench.drive("start", windows_path(config("TOVANEL_E2E_STANDIN")), "-", *args)
    found = bench.drive("wait-window", CHAT_CLASS, CHAT_TITLE, 15000, "visible")
    assert found["found"], "the stand-in chat client did not come up"
    found["pid"] = started["pid"]
    return found


def read_log(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [tuple(line.rstrip("\n").split("\t", 1)) for line in f]


def logged(text):
    """A payload as the stand-in's log writes it."""
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
            .replace("\n", "\\n"))


def wait_log(log, count, timeout=15.0):
    """Waits for at least `count` log lines; fails naming what was logged."""
    lines = wait_for(lambda: len(read_log(log)) >= count and read_log(log), timeout)
    assert lines, f"the stand-in logged {read_log(log)}, waited for {count} lines"
    return lines


def docked_rect(chat_rect, width=PANEL_WIDTH):
    """The panel's outer rectangle beside a chat window's (screen coordinates)."""
    left, top, right, bottom = chat_rect
    return [right, top, right + width, bottom]


def summary(window):
    return (f"rect {window['rect']}, visible {window['visible']}, "
            f"topmost {bool(window['exstyle'] & WS_EX_TOPMOST)}")


def wait_window(bench, hwnd, what, predicate, timeout=10.0):
    """Waits until predicate(window description) holds; fails naming the
    condition and the window's last state."""
    seen = {}

    def check():
        seen["window"] = bench.drive("window", hwnd)
        return predicate(seen["window"])

    if not wait_for(check, timeout):
        raise AssertionError(f"waited {timeout} s for {what}; last seen {summary(seen['window'])}")
    return seen["window"]


def wait_docked(bench, panel, chat_hwnd, shown=True, timeout=10.0, width=PANEL_WIDTH):
    """Waits until the panel stands beside the chat window, shown and
    topmost (or hidden and not topmost)."""
    def docked(window):
        chat = bench.drive("window", chat_hwnd)["rect"]
        return (window["rect"] == docked_rect(chat, width) and window["visible"] == shown
                and bool(window["exstyle"] & WS_EX_TOPMOST) == shown)
    state = "shown and topmost" if shown else "hidden"
    return wait_window(bench, panel, f"the panel docked to the chat window, {state}", docked,
                       timeout)


def wait_hidden(bench, panel, timeout=10.0):
    return wait_window(bench, panel, "the panel hidden and not topmost",
                       lambda w: not w["visible"] and not w["exstyle"] & WS_EX_TOPMOST, timeout)


def write_replies(folder, rows):
    """Replaces the reply table by these (hotkey, text) rows, in order."""
    path = os.path.join(folder, "内容.RTB")
    for name in (path, path[:-4] + ".RTL"):
        if os.path.exists(name):
            os.remove(name)
    rtbtool("create", path, "--password", PASSWORD, "快捷键:text:8", "内容:longtext")
    for key, text in rows:
        rtbtool("add", path, "--password", PASSWORD, f"快捷键={key}", f"内容={text}")
