"""The stand-in chat client records pasted text, pasted file lists and Send
clicks, and keeps its input box and Send button under the points Velquin
clicks, at any window size."""

import os
import sys

from bench import Bench, config, windows_path

CLASS, TITLE = "WeChatMainWndForPC", "微信"


def read_log(path):
    """The events logged so far: complete lines only, as the file may be read
    while a line is being written."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")[:-1]
    return [line.decode("utf-8").split("\t", 1) for line in lines]


def wait_events(bench, log, count, what):
    return bench.wait_until(lambda: read_log(log), f"{what} in the stand-in's log",
                            until=lambda events: len(events) >= count)


def logged(text):
    """A payload as the log writes it."""
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
            .replace("\n", "\\n"))


def child_at(children, x, y):
    """The innermost visible child whose screen rectangle holds (x, y)."""
    hits = [c for c in children if c["visible"] and
            c["rect"][0] <= x < c["rect"][2] and c["rect"][1] <= y < c["rect"][3]]
    return hits[-1] if hits else None


def check_targets(bench, hwnd):
    """Input box under (w-33, h-58), Send button under (w-78, h-28)."""
    rect = bench.drive("window", hwnd)["rect"]
    width, height = rect[2] - rect[0], rect[3] - rect[1]
    children = bench.drive("children", hwnd)["children"]
    box = child_at(children, rect[0] + width - 33, rect[1] + height - 58)
    button = child_at(children, rect[0] + width - 78, rect[1] + height - 28)
    layout = [(c["class"], c["rect"]) for c in children]
    assert box and box["class"] == "Edit", f"no input box at the point in {rect}: {layout}"
    assert button and button["class"] == "Button", f"no Send button at the point: {layout}"
    return rect, box, button


def centre(r):
    return (r[0] + r[2]) // 2, (r[1] + r[3]) // 2


def main():
    standin = config("TOVANEL_E2E_STANDIN")
    with Bench("chatstandin", timeout=90) as bench:
        work = bench.temp_dir("stand-in 日志")
        log = os.path.join(work, "events.txt")
        with open(os.path.join(work, "附件 一.txt"), "w") as f:
            f.write("x")
        pid = bench.drive("start", windows_path(standin), "-", "--log", windows_path(log),
                          "--rect", "60,40,640,520")["pid"]
        found = bench.wait_window(CLASS, TITLE, visible=True, pid=pid)
        hwnd = found["hwnd"]
        assert found["rect"] == [60, 40, 700, 560], found["rect"]

        # Read at once: the stand-in must be laid out when it shows.
        rect, box, button = check_targets(bench, hwnd)
        x, y = rect[0] + (rect[2] - rect[0]) - 33, rect[1] + (rect[3] - rect[1]) - 58

        # Keys go where the focus is when they are queued.
        bench.drive("click", x, y)
        bench.wait_foreground(hwnd, "the stand-in")
        bench.wait_focus(box["hwnd"], "the stand-in's input box")
        # Text with a line break and a tab, as a reply may hold. Each paste
        # is logged before the clipboard changes again.
        text = "你好，世界\r\n第二行\tend"
        bench.drive("clip-text", text)
        bench.drive("key", "ctrl+v")
        wait_events(bench, log, 1, "the pasted text")
        attachment = windows_path(os.path.join(work, "附件 一.txt"))
        bench.drive("clip-files", attachment)
        bench.drive("key", "ctrl+v")
        wait_events(bench, log, 2, "the pasted file list")
        bench.drive("click", rect[2] - 78, rect[3] - 28)
        events = wait_events(bench, log, 3, "the Send click")
        assert events == [
            ["paste-text", logged(text)],
            ["paste-files", logged(attachment)],
            ["send", logged(text + "[文件] 附件 一.txt\r\n")],
        ], events
        bench.screenshot("window", crop=(rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]))

        # A normal window a person can move and size; the targets follow.
        style = bench.drive("window", hwnd)["style"]
        WS_CAPTION, WS_THICKFRAME = 0x00C00000, 0x00040000
        assert style & WS_CAPTION == WS_CAPTION and style & WS_THICKFRAME, hex(style)
        for size in ((400, 380), (1000, 800)):
            wanted = [200, 100, 200 + size[0], 100 + size[1]]
            bench.drive("resize", hwnd, 200, 100, *size)
            bench.wait_until(lambda: bench.drive("window", hwnd)["rect"],
                             f"the stand-in at {wanted}", until=lambda r: r == wanted)
            bench.wait_until(lambda: check_targets(bench, hwnd),
                             f"the input box and Send button under their points at {size}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
