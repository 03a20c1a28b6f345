"""Helpers for the tests of the reply list: reading its rows through the
driver, waiting for rows, the content table by rtbtool, the pop-up menu and
message boxes."""

import json
import os

from velquin import PASSWORD, centre, rtbtool

CONTENT_FILE = "内容.RTB"
LIST_CLASS = "SysListView32"
MENU_CLASS = "#32768"
MARKER = "文件"


def reply_list(bench, main_hwnd, cls=LIST_CLASS):
    lists = [c for c in bench.drive("children", main_hwnd)["children"] if c["class"] == cls]
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
    followed by one row per attachment file name."""
    texts = [tuple(r) for r in texts]
    return bench.wait_until(lambda: list_state(bench, list_hwnd),
                            f"the reply list to show {texts} and attachments {list(attachments)}",
                            until=lambda state: same_rows(rows_of(state), texts, attachments))


def content_records(folder):
    lines = rtbtool("dump", os.path.join(folder, CONTENT_FILE), "--password", PASSWORD)
    records = [json.loads(line) for line in lines.splitlines() if line.strip()]
    return [(r["快捷键"], r["内容"]) for r in records]


def wait_records(bench, folder, expected):
    """Waits until the content table holds these records. The program may be
    writing it meanwhile: a dump that fails counts as "not yet"."""
    expected = [tuple(r) for r in expected]
    return bench.wait_until(lambda: content_records(folder),
                            f"the content table to hold {expected}",
                            until=lambda records: records == expected)


def row_point(state, index):
    """A point inside row `index` that the list shows: the row is as wide as
    its 1000-pixel column, far wider than the list."""
    left, top, _, bottom = state["rows"][index]["rect"]
    return left + 80, (top + bottom) // 2


def choose_menu_item(bench, owner_hwnd, index):
    """Clicks item `index` of the pop-up menu that `owner_hwnd`'s thread
    shows, once that thread tracks it (a click before is lost)."""
    menu = bench.wait_window(MENU_CLASS, "-", visible=True)
    bench.wait_until(lambda: bench.drive("menu-mode", owner_hwnd, 0),
                     "the pop-up menu tracked by its thread", until=lambda m: m["tracking"])
    left, top, right, bottom = menu["rect"]
    height = (bottom - top - 6) // 4  # four items inside a 3-pixel frame
    bench.drive("click", (left + right) // 2, top + 3 + height * index + height // 2)
    bench.wait_until(lambda: bench.drive("find", MENU_CLASS, "-"), "the pop-up menu closed",
                     until=lambda found: not found["found"] or not found["visible"])


def paste_into(bench, window_hwnd, edit, text):
    """Clicks into an edit box and pastes `text`, as a person would: keys go
    to the window in front and its focus as they are when queued, so both
    are waited for; then the text is waited for in the box."""
    bench.drive("click", *centre(edit["rect"]))
    bench.wait_foreground(window_hwnd, "the panel")
    bench.wait_focus(edit["hwnd"], "the edit box")
    bench.drive("clip-text", text)
    bench.drive("key", "ctrl+a")
    bench.drive("key", "ctrl+v")
    bench.wait_until(lambda: bench.drive("text", edit["hwnd"])["text"],
                     f"the edit box to hold {text!r}", until=lambda title: title == text)


def answer_message(bench, pid, text, icon, caption="信息："):
    """Waits for the program's message box, checks it, presses OK and waits
    until it is gone."""
    box = bench.wait_message_box(pid, f"the message {text!r}")
    assert box["texts"] == [text], f"message {box['texts']}, expected {text!r}"
    assert box["caption"] == caption, box["caption"]
    assert box["icon"] == icon, f"icon {box['icon']} for {text!r}"
    bench.drive("dialog-press", box["hwnd"])
    bench.wait_gone(box["hwnd"], f"the message {text!r}, after OK,")
