"""Helpers for the tests of the chat-client automation: the stand-in with its
event log, the panel's docked place, and waiting for a state of a window
while keeping what was seen last for the failure message."""

import os

from bench import WAIT_TIMEOUT, config, windows_path
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
    # The stand-in lays out its children before it shows.
    return bench.wait_window(CHAT_CLASS, CHAT_TITLE, visible=True, pid=started["pid"])


def read_log(path):
    """The logged events: complete lines only, as the file may be read while
    a line is being written."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")[:-1]
    return [tuple(line.decode("utf-8").split("\t", 1)) for line in lines]


def logged(text):
    """A payload as the stand-in's log writes it."""
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
            .replace("\n", "\\n"))


def wait_log(bench, log, count):
    """Waits for at least `count` log lines; fails naming what was logged."""
    return bench.wait_until(lambda: read_log(log), f"{count} lines in the stand-in's log",
                            until=lambda lines: len(lines) >= count)


def docked_rect(chat_rect, width=PANEL_WIDTH):
    """The panel's outer rectangle beside a chat window's (screen coordinates)."""
    left, top, right, bottom = chat_rect
    return [right, top, right + width, bottom]


def summary(window):
    return (f"rect {window['rect']}, visible {window['visible']}, "
            f"topmost {bool(window['exstyle'] & WS_EX_TOPMOST)}")


def wait_window(bench, hwnd, what, predicate, timeout=WAIT_TIMEOUT):
    """Waits until predicate(window description) holds; fails naming the
    condition and the window's last state."""
    return bench.wait_until(lambda: bench.drive("window", hwnd), what, timeout,
                            until=lambda w: w["found"] and predicate(w))


def wait_docked(bench, panel, chat_hwnd, shown=True, timeout=WAIT_TIMEOUT, width=PANEL_WIDTH):
    """Waits until the panel stands beside the chat window, shown and
    topmost (or hidden and not topmost)."""
    def docked(window):
        chat = bench.drive("window", chat_hwnd)["rect"]
        return (window["rect"] == docked_rect(chat, width) and window["visible"] == shown
                and bool(window["exstyle"] & WS_EX_TOPMOST) == shown)
    state = "shown and topmost" if shown else "hidden"
    return wait_window(bench, panel, f"the panel docked to the chat window, {state}", docked,
                       timeout)


def wait_hidden(bench, panel, timeout=WAIT_TIMEOUT):
    return wait_window(bench, panel, "the panel hidden and not topmost",
                       lambda w: not w["visible"] and not w["exstyle"] & WS_EX_TOPMOST, timeout)


def click_row(bench, lst, index):
    """Left-clicks row `index` of the reply list, on its text."""
    row = bench.drive("list-row", lst, index)
    x, y = row["rect"][0] + 120, (row["rect"][1] + row["rect"][3]) // 2
    bench.drive("click", x, y)


def write_replies(folder, rows):
    """Replaces the reply table by these (hotkey, text) rows, in order."""
    path = os.path.join(folder, "内容.RTB")
    for name in (path, path[:-4] + ".RTL"):
        if os.path.exists(name):
            os.remove(name)
    rtbtool("create", path, "--password", PASSWORD, "快捷键:text:8", "内容:longtext")
    for key, text in rows:
        rtbtool("add", path, "--password", PASSWORD, f"快捷键={key}", f"内容={text}")
