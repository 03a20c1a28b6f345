"""Helpers for the tests of the reply library: reading a list view's rows
through the driver, waiting for rows and records, the reply menu, message
boxes and the file dialog, all driven as a person would."""

import json
import os
import subprocess

from velquin import PASSWORD, centre, rtbtool

CONTENT_FILE = "内容.RTB"
LIST_CLASS = "SysListView32"
MENU_CLASS = "#32768"
MARKER = "文件"
MENU_ITEMS = 4  # 删除, 编辑快捷键, 显示托盘图标, 导入/导出


def reply_list(bench, hwnd):
    """The one list view among the window's children."""
    lists = [c for c in bench.drive("children", hwnd)["children"] if c["class"] == LIST_CLASS]
    assert len(lists) == 1, f"{len(lists)} list views in the window"
    return lists[0]["hwnd"]


def list_state(bench, list_hwnd):
    return bench.drive("list-rows", list_hwnd)


def rows_of(state):
    return [tuple(r["cells"]) for r in state["rows"]]


def same_rows(seen, texts, attachments):
    """Text rows in this order, then the attachment rows in the folder's
    enumeration order, which is the system's own."""
    head, tail = seen[:len(texts)], seen[len(texts):]
    return head == texts and sorted(tail) == sorted((MARKER, name) for name in attachments)


def wait_rows(bench, list_hwnd, texts, attachments=()):
    """Waits until the list shows these (column 0, column 1) text rows
    followed by one row per attachment file name; returns the list's state."""
    texts = [tuple(r) for r in texts]
    return bench.wait_until(lambda: list_state(bench, list_hwnd),
                            f"the list to show {texts} and attachments {list(attachments)}",
                            until=lambda state: same_rows(rows_of(state), texts, attachments))


def content_records(folder):
    lines = rtbtool("dump", os.path.join(folder, CONTENT_FILE), "--password", PASSWORD)
    records = [json.loads(line) for line in lines.splitlines() if line.strip()]
    return [(r["快捷键"], r["内容"]) for r in records]


def check_records(folder, expected):
    """Reads the content table once. Call it after the list has shown the
    change, when the program is done with the table: it refills the list
    right after every write, and a dump polled meanwhile can take the locks
    that refill needs (it then reads an empty text)."""
    expected = [tuple(r) for r in expected]
    records = content_records(folder)
    assert records == expected, f"the content table holds {records}, expected {expected}"


def row_point(state, index):
    """A point inside row `index` that the list shows: the row is as wide as
    its 1000-pixel column, far wider than the list."""
    left, top, _, bottom = state["rows"][index]["rect"]
    return left + 80, (top + bottom) // 2


def click_control(bench, control):
    bench.drive("click", *centre(control["rect"]))


def open_reply_menu(bench, main_hwnd, list_hwnd, row=None):
    """Right-clicks row `row` (or below the rows) and waits until the menu
    is up and tracked: a click or key that comes earlier is lost."""
    if row is None:
        rect = bench.drive("window", list_hwnd)["rect"]
        at = (rect[0] + 80, rect[3] - 30)
    else:
        at = row_point(list_state(bench, list_hwnd), row)
    bench.drive("click", *at, "right")
    menu = bench.wait_window(MENU_CLASS, "-", visible=True)
    bench.wait_until(lambda: bench.drive("menu-mode", main_hwnd, 0), "the menu tracked",
                     until=lambda r: r["tracking"])
    return menu


def wait_menu_closed(bench):
    bench.wait_until(lambda: bench.drive("find", MENU_CLASS, "-"), "the pop-up menu closed",
                     until=lambda found: not found["found"] or not found["visible"])


def pixel(bench, x, y):
    """The screen's colour at one point, as ImageMagick names it."""
    result = subprocess.run(["import", "-display", f":{bench.display}", "-window", "root",
                             "-crop", f"1x1+{x}+{y}", "+repage", "txt:-"],
                            capture_output=True, text=True, timeout=30)
    return result.stdout.strip().splitlines()[-1].split()[-1]


def click_menu_item(bench, menu, index, items):
    """Clicks item `index` of an open pop-up menu of `items` items. A menu
    window can be visible and tracked before the X server shows it, and a
    click then closes it from outside: so the pointer first rests on the
    item until the menu paints it highlighted."""
    left, top, right, bottom = menu["rect"]
    height = (bottom - top - 6) // items  # inside a 3-pixel frame
    x, y = (left + right) // 2, top + 3 + height * index + height // 2
    bench.drive("click", x, y, "move")
    bench.wait_until(lambda: pixel(bench, left + 4, y), f"menu item {index} highlighted",
                     until=lambda colour: colour not in ("white", "black"))
    bench.drive("click", x, y)
    wait_menu_closed(bench)


def choose_menu_item(bench, menu, index):
    """Clicks item `index` of the open reply menu."""
    click_menu_item(bench, menu, index, MENU_ITEMS)


def choose_import_export(bench, main_hwnd, export):
    """In the open reply menu: "导入/导出", then its first or second item,
    by keyboard."""
    bench.wait_foreground(main_hwnd, "the panel")
    for key in ["up", "right"] + (["down"] if export else []) + ["enter"]:
        bench.drive("key", key)
    wait_menu_closed(bench)


def paste_into(bench, edit, text):
    """Clicks into an edit box and pastes `text` over what it holds."""
    click_control(bench, edit)
    bench.wait_focus(edit["hwnd"], "the edit box")
    bench.drive("clip-text", text)
    bench.drive("key", "ctrl+a")
    bench.drive("key", "ctrl+v")
    bench.wait_until(lambda: bench.drive("text", edit["hwnd"])["text"],
                     f"the edit box to hold {text!r}", until=lambda title: title == text)


def message_box(bench, pid):
    """The program's message box once it is up with its text and icon."""
    return bench.wait_until(lambda: bench.drive("dialog", 0, pid), "a message box",
                            until=lambda b: b["found"] and b["texts"] and b["icon"] != "unknown")


def answer_message(bench, pid, text, icon, caption="信息："):
    """Waits for the program's message box, checks it and presses OK."""
    box = message_box(bench, pid)
    assert box["texts"] == [text], f"message {box['texts']}, expected {text!r}"
    assert box["caption"] == caption, box["caption"]
    assert box["icon"] == icon, f"icon {box['icon']} for {text!r}"
    bench.drive("dialog-press", box["hwnd"])
    bench.wait_gone(box["hwnd"], f"the message {text!r}, after OK,")


def file_dialog(bench, pid):
    """The open or save dialog once its file name box is there."""
    def name_box():
        dialog = bench.drive("dialog", 0, pid)
        assert dialog["found"], "no dialog yet"
        edits = [c for c in bench.drive("children", dialog["hwnd"])["children"]
                 if c["class"] == "Edit" and c["visible"]]
        assert edits, "the dialog has no file name box yet"
        return dialog, edits[0]
    return bench.wait_until(name_box, "the file dialog with its file name box")


def choose_file(bench, pid, path):
    """Types a path into the file dialog that is up and confirms it."""
    dialog, name_box = file_dialog(bench, pid)
    paste_into(bench, name_box, path)
    bench.drive("key", "enter")
    bench.wait_until(lambda: bench.drive("window", dialog["hwnd"]), "the file dialog closed",
                     until=lambda w: not w["found"] or not w["visible"])


def drop_files(bench, list_hwnd, paths):
    """Drops files on the list from an X drag-and-drop source, as a file
    manager would; returns once the target has finished with the drop."""
    rect = bench.drive("window", list_hwnd)["rect"]
    helper = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xdnd_drop.py")
    # Debian's own Python carries python3-xlib (scripts/setup.sh installs it).
    result = subprocess.run(["/usr/bin/python3", helper, str(rect[0] + 100), str(rect[3] - 60),
                             *paths], env=bench.env, capture_output=True, text=True,
                            timeout=90)
    assert result.returncode == 0, f"the drop failed: {result.stderr.strip()}"
