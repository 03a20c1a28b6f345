"""Velquin.exe at 150 % display scale (LogPixels 144 in a Wine prefix of its
own): the panel is 450 pixels wide, every control sits at its 96-DPI place
scaled by 1.5, the artwork is drawn at that scale, and the stand-in chat
client lays itself out at the same scale as the chat client does. The
screenshot of the panel at 150 % is kept as an artifact."""

import sys

from bench import Bench
from test_velquin_layout import LAYOUT, colours, kind_of, require_chinese_font
from velquin import (CHAT_CLASS, CHAT_TITLE, program_folder, require_program, start_standin,
                     start_velquin, wait_started)

DPI = 144
SCREEN = (1600, 1200)


def scaled(value):
    """A 96-DPI value at DPI, rounded half up as MulDiv does for positives."""
    return (value * DPI + 48) // 96


def check_panel(window):
    rect = window["rect"]
    size = (rect[2] - rect[0], rect[3] - rect[1])
    assert size == (scaled(300), scaled(650)) == (450, 975), f"the panel is {size}"
    assert window["client"] == rect, "the window has a frame or a title bar"
    centred = ((SCREEN[0] - 450) // 2, (SCREEN[1] - 975) // 2)
    assert abs(rect[0] - centred[0]) <= 1 and abs(rect[1] - centred[1]) <= 1, \
        f"at {rect[:2]}, not centred at {centred}"


def check_controls(bench, window):
    left, top = window["rect"][:2]
    children = [c for c in bench.drive("children", window["hwnd"])["children"]
                if c["parent"] == window["hwnd"]]
    wrong = []
    for name, kind, x, y, w, h, text in LAYOUT:
        x, y = scaled(x), scaled(y)
        expected = [left + x, top + y, left + x + scaled(w), top + y + scaled(h)]
        matches = [c for c in children if kind_of(c) == kind and c["rect"] == expected
                   and c["visible"] and (text is None or c["title"] == text)]
        if len(matches) != 1:
            near = [(c["title"], c["rect"]) for c in children if kind_of(c) == kind]
            wrong.append(f"{name} ({kind} {text or ''}) not at {expected}; {kind}s: {near}")
    assert not wrong, "layout at 150 % differs:\n  " + "\n  ".join(wrong)


def drawn_panel(bench, rect):
    """A screenshot of the panel once the logo and every texted control are
    drawn at their scaled places (a shown window paints control by control)."""
    shot = bench.screenshot("panel-150%", crop=(rect[0], rect[1], 450, 975))
    assert shot, "no screenshot"
    logo = colours(shot, *(scaled(v) for v in (25, 11, 50, 50)))
    blank = [name for name, _, x, y, w, h, text in LAYOUT
             if text and colours(shot, scaled(x), scaled(y), scaled(w), scaled(h)) < 2]
    assert logo >= 8 and not blank, f"logo in {logo} colours; nothing drawn for {blank}"
    return shot


def child_at(children, x, y):
    hits = [c for c in children if c["visible"] and
            c["rect"][0] <= x < c["rect"][2] and c["rect"][1] <= y < c["rect"][3]]
    return hits[-1]["class"] if hits else None


def check_standin_scaled(bench, hwnd):
    """The input box lies under (w - 50, h - 87), the Send button under
    (w - 117, h - 42); the unscaled input-box point (w - 33, h - 58) misses
    the input box (it hits the Send button)."""
    rect = bench.drive("window", hwnd)["rect"]
    children = bench.drive("children", hwnd)["children"]
    right, bottom = rect[2], rect[3]
    seen = {point: child_at(children, right - point[0], bottom - point[1])
            for point in ((50, 87), (117, 42), (33, 58))}
    layout = [(c["class"], c["rect"]) for c in children]
    assert seen[(50, 87)] == "Edit" and seen[(117, 42)] == "Button" and seen[(33, 58)] != "Edit", \
        f"the stand-in is not laid out at 150 %: {seen}, {layout}"


def main():
    require_program()
    require_chinese_font()
    with Bench("velquin_scale_144", timeout=180, screen=SCREEN, dpi=DPI) as bench:
        standin = start_standin(bench, rect=(60, 60, 900, 840))
        check_standin_scaled(bench, standin["hwnd"])
        folder = program_folder(bench, {})
        pid = start_velquin(bench, folder)
        window = wait_started(bench, pid)
        assert window["visible"], "the panel is not visible"
        check_panel(window)
        check_controls(bench, window)
        bench.wait_until(lambda: drawn_panel(bench, window["rect"]),
                         "the panel drawn at 150 %, logo and texts", interval=0.5)
        bench.kill(pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
