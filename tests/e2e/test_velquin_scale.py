"""Velquin.exe at 150 % display scale (LogPixels 144 in a Wine prefix of its
own): the panel is 450 pixels wide, every control sits at its 96-DPI place
scaled by 1.5, the artwork is drawn at that scale, so is the hotkey editor,
and the stand-in chat
client lays itself out at the same scale as the chat client does. Following
it, the panel docks to its right edge in physical pixels, a row click and an
F-key paste into its input box and press its Send button at the scaled
points, and a press in its lower half leaves the panel shown. Screenshots of
the panel at 150 %, alone and docked, are kept as artifacts."""

import os
import sys

from automation import logged, read_log, start_chat, wait_docked, write_replies
from bench import Bench
from replies import (choose_menu_item, list_state, open_reply_menu, reply_list, row_point,
                     wait_rows)
from test_velquin_layout import LAYOUT, colours, kind_of, require_chinese_font
from velquin import program_folder, require_program, start_velquin, wait_started

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


def check_layout_below(bench, panel):
    """Docked, the controls below the list stand h - 315, h - 113 and h - 60
    from the panel's height: 210, 75 and 40 at 150 %."""
    rect = bench.drive("window", panel)["rect"]
    height = rect[3] - rect[1]
    children = bench.drive("children", panel)["children"]
    lst = next(c["rect"] for c in children if c["class"] == "SysListView32")
    edit = next(c["rect"] for c in children if c["class"] == "Edit")
    add = next(c["rect"] for c in children if c["title"] == "添加")
    seen = (lst[3] - lst[1], edit[1] - rect[1], add[1] - rect[1])
    assert seen == (height - 315, height - 113, height - 60), \
        f"list height, edit top, add top {seen} in a panel {height} high"


def lower_half_of_chat(bench, hwnd):
    """A point of the chat main window itself (no child under it) in its lower
    half: right of the input box, inside the client area."""
    window = bench.drive("window", hwnd)
    rect, client = window["rect"], window["client"]
    x = (client[2] + rect[2] - scaled(12)) // 2
    y = rect[1] + (rect[3] - rect[1]) * 3 // 4
    children = bench.drive("children", hwnd)["children"]
    assert child_at(children, x, y) is None and client[0] <= x < client[2], \
        f"({x}, {y}) is not the chat window's own area: {client}, {children}"
    return x, y


# The hotkey editor's controls by their text: left, top, width, height at 96 DPI.
EDITOR_LAYOUT = [
    ("快捷键编辑器", 24, 12, 152, 24),
    ("点击项目后设置的快捷键确定，设置完成后点击全部保存生效。", 8, 43, 424, 20),
    ("关闭", 351, 12, 80, 24),
    ("选中项目设置快捷键：", 8, 430, 424, 60),
    ("设置的快捷键：", 56, 453, 110, 24),
    ("确定", 308, 452, 72, 24),
    ("保存以上全部设置", 16, 507, 408, 40),
]


def check_editor(bench, pid, panel):
    """The editor opened from the reply menu: a 441 x 564 client area and its
    controls at their places, all scaled by 1.5."""
    menu = open_reply_menu(bench, panel, reply_list(bench, panel))
    choose_menu_item(bench, menu, 1)  # "编辑快捷键"
    editor = bench.wait_window("TovanelHotkeyEditor", "-", visible=True, pid=pid)
    client = editor["client"]
    size = (client[2] - client[0], client[3] - client[1])
    assert size == (scaled(441), scaled(564)) == (662, 846), f"the editor's client area is {size}"
    children = bench.drive("children", editor["hwnd"])["children"]
    wrong = []
    for text, x, y, w, h in EDITOR_LAYOUT:
        x, y = client[0] + scaled(x), client[1] + scaled(y)
        expected = [x, y, x + scaled(w), y + scaled(h)]
        if not any(c["title"] == text and c["rect"] == expected for c in children):
            wrong.append(f"{text} not at {expected}")
    lst = [c["rect"] for c in children if c["class"] == "SysListView32"]
    x, y = client[0] + scaled(8), client[1] + scaled(64)
    if lst != [[x, y, x + scaled(424), y + scaled(360)]]:
        wrong.append(f"the list at {lst}")
    assert not wrong, "the editor at 150 % differs:\n  " + "\n  ".join(wrong)
    rect = editor["rect"]
    bench.screenshot("hotkey-editor-150%", crop=(rect[0], rect[1], rect[2] - rect[0],
                                                  rect[3] - rect[1]))


def check_alone(bench):
    folder = program_folder(bench, {})
    pid = start_velquin(bench, folder)
    window = wait_started(bench, pid)
    assert window["visible"], "the panel is not visible"
    check_panel(window)
    check_controls(bench, window)
    bench.wait_until(lambda: drawn_panel(bench, window["rect"]),
                     "the panel drawn at 150 %, logo and texts", interval=0.5)
    check_editor(bench, pid, window["hwnd"])
    bench.kill(pid)


def check_following(bench, chat, log):
    folder = program_folder(bench, {"跟随微信": True, "粘贴或发送": True})
    write_replies(folder, [("F3", "按键回复"), ("", "点击回复")])
    pid = start_velquin(bench, folder)
    panel = wait_started(bench, pid)["hwnd"]
    bench.drive("activate", chat)
    wait_docked(bench, panel, chat, width=450)
    check_layout_below(bench, panel)

    # A row click: the input box at (w - 50, h - 87), Ctrl+V, Send at (w - 117, h - 42);
    # in send mode the selection is cleared once the delivery is over.
    rows = reply_list(bench, panel)
    state = wait_rows(bench, rows, [("F3", "按键回复"), ("", "点击回复")])
    bench.drive("click", *row_point(state, 1))
    bench.wait_until(lambda: list_state(bench, rows)["selected"], "the row click delivered",
                     until=lambda selected: selected == -1)

    # A press in the chat client's lower half, then F3. The hook sees both in
    # order, so once F3's reply has arrived the press has been judged; and the
    # stand-in handles its input in order, so the row click's events are in.
    bench.drive("click", *lower_half_of_chat(bench, chat))
    bench.wait_foreground(chat, "the stand-in chat client")
    bench.drive("key", "f3")
    f3 = ("paste-text", logged("按键回复"))
    lines = bench.wait_until(lambda: read_log(log), "F3's reply pasted",
                             until=lambda lines: f3 in lines)
    # The unscaled input-box point would press Send first: two Sends. Under
    # Wine the stand-in takes the activation from the clicked panel only when
    # its own thread handles the click, so the row click's Ctrl+V, queued at
    # once, may reach the panel in part or whole (Windows routes input in
    # order); so the row click shows the Send point, and F3, pressed with the
    # stand-in in front, the paste. F3's own Send may come after this look.
    row = [("paste-text", logged("点击回复")), ("send", logged("点击回复"))]
    head = lines[:lines.index(f3)]
    assert head == row or (len(head) == 1 and head[0][0] == "send"), \
        f"the stand-in logged {lines}"
    assert lines[len(head) + 1:] in ([], [("send", logged("按键回复"))]), \
        f"the stand-in logged {lines}"
    wait_docked(bench, panel, chat, width=450, timeout=0.5)
    window = bench.drive("window", panel)
    bench.screenshot("docked-150%", crop=(window["rect"][0] - 900, window["rect"][1], 1350, 840))
    bench.kill(pid)


def main():
    require_program()
    require_chinese_font()
    with Bench("velquin_scale_144", timeout=180, screen=SCREEN, dpi=DPI) as bench:
        log = os.path.join(bench.temp_dir("stand-in 日志"), "events.txt")
        chat = start_chat(bench, (60, 60, 900, 840), log)["hwnd"]
        check_standin_scaled(bench, chat)
        check_alone(bench)
        check_following(bench, chat, log)
    return 0


if __name__ == "__main__":
    sys.exit(main())
