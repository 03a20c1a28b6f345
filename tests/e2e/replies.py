"""Helpers for the tests of the reply list: reading its rows through the
driver, waiting for rows, the content table by rtbtool, the pop-up menu and
message boxes."""

import json
import os

from bench import wait_for
from velquin import PASSWORD, centre, rtbtool

CONTENT_FILE = "内容.RTB"
LIST_CLASS = "SysListView32"
MENU_CLASS = "#32768"
MARKER = "文件"


class ConditionFailed(AssertionError):
    pass


def wait_until(what, probe, check, timeout=20.0):
    """Polls probe() until check(value) holds; fails naming the condition
    and the value seen last."""
    seen = []

    def attempt():
        seen[:] = [probe()]
        return check(seen[0])

    if not wait_for(attempt, timeout):
        raise ConditionFailed(f"timed out after {timeout} s waiting for {what}; last seen: "
                              f"{seen[0] if seen else None!r}")
    return seen[0]


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


def wait_rows(bench, list_hwnd, texts, attachments=(), timeout=20.0):
    """Waits until the list shows these (column 0, column 1) text rows
    followed by one row per attachment file name."""
    texts = [tuple(r) for r in texts]
    return wait_until(f"the reply list to show {texts} and attachments {list(attachments)}",
                      lambda: list_state(bench, list_hwnd),
                      lambda state: same_rows(rows_of(state), texts, attachments), timeout)


def content_records(folder):
    lines = rtbtool("dump", os.path.join(folder, CONTENT_FILE), "--password", PASSWORD)
    records = [json.loads(line) for line in lines.splitlines() if line.strip()]
    return [(r["快捷键"], r["内容"]) for r in records]


def wait_records(folder, expected, timeout=20.0):
    expected = [tuple(r) for r in expected]
    return wait_until(f"the content table to hold {expected}", lambda: content_records(folder),
                      lambda records: records == expected, timeout)


def row_point(state, index):
    """A point inside row `index` that the list shows: the row is as wide as
    its 1000-pixel column, far wider than the list."""
    left, top, _, bottom = state["rows"][index]["rect"]
    return left + 80, (top + bottom) // 2


def choose_menu_item(bench, owner_hwnd, index):
    """Clicks item `index` of the pop-up menu that `owner_hwnd`'s thread
    shows, once that thread tracks it (a click before is lost)."""
    menu = wait_until("the pop-up menu", lambda: bench.drive("find", MENU_CLASS, "-"),
                      lambda found: found.get("found") and found.get("visible"))
    assert bench.drive("menu-mode", owner_hwnd, 10000)["tracking"], "the menu is not tracked"
    left, top, right, bottom = menu["rect"]
    height = (bottom - top - 6) // 4  # four items inside a 3-pixel frame
    bench.drive("click", (left + right) // 2, top + 3 + height * index + height // 2)
    wait_until("the pop-up menu to close", lambda: bench.drive("find", MENU_CLASS, "-"),
               lambda found: not found.get("found") or not found.get("visible"))


def paste_into(bench, rect, text):
    """Clicks into an edit box and pastes `text`, as a person would."""
    bench.drive("click", *centre(rect))
    bench.drive("clip-text", text)
    bench.drive("key", "ctrl+a")
    bench.drive("key", "ctrl+v")


def answer_message(bench, pid, text, icon, caption="信息：", timeout=20.0):
    """Waits for the program's message box, checks it and presses OK."""
    box = bench.drive("dialog", int(timeout * 1000), pid)
    assert box["found"], f"no message box {text!r}"
    assert box["texts"] == [text], f"message {box['texts']}, expected {text!r}"
    assert box["caption"] == caption, box["caption"]
    assert box["icon"] == icon, f"icon {box['icon']} for {text!r}"
    assert bench.drive("dialog-press", box["hwnd"])["closed"], f"{text!r} did not close"
