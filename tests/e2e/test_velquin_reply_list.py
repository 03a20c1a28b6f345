"""The reply list in the real program: rows from the content table and the
attachment folder, a reply added with the edit box and "添加", deleted again
through the context menu, and a file put into fi appearing as a row."""

import os
import sys

from bench import Bench
from replies import (MARKER, answer_message, choose_menu_item, content_records, list_state,
                     paste_into, reply_list, row_point, rows_of, wait_records, wait_rows)
from velquin import (children_by_text, end_velquin, program_folder, require_program,
                     start_velquin, wait_started)

NEW_REPLY = "新的回复：稍等 5 分钟"
ATTACHMENT = "报价单 2024.txt"
LATE_ATTACHMENT = "后来的图片.png"


def edit_box(bench, hwnd):
    edits = [c for c in bench.drive("children", hwnd)["children"] if c["class"] == "Edit"]
    assert len(edits) == 1, f"{len(edits)} edit boxes"
    return edits[0]


def main():
    require_program()
    with Bench("velquin_reply_list", timeout=180) as bench:
        folder = program_folder(bench, {})
        with open(os.path.join(folder, "fi", ATTACHMENT), "wb") as f:
            f.write(b"price list\r\n")
        records = content_records(folder)

        pid = start_velquin(bench, folder)
        window = wait_started(bench, pid)
        hwnd = window["hwnd"]
        listview = reply_list(bench, hwnd)
        state = wait_rows(bench, listview, records, [ATTACHMENT])
        images = [r["image"] for r in state["rows"]]
        assert images == [1] * len(records) + [0], f"row images {images}"
        bench.screenshot("refilled", crop=(window["rect"][0], window["rect"][1], 300, 650))

        # A file put into fi while the program runs shows with the next refill.
        with open(os.path.join(folder, "fi", LATE_ATTACHMENT), "wb") as f:
            f.write(b"\x89PNG")

        # Add: paste into the edit box, click "添加".
        controls = children_by_text(bench, hwnd)
        edit = edit_box(bench, hwnd)
        paste_into(bench, edit["rect"], NEW_REPLY)
        bench.drive("click", *centre_of(controls["添加"]))
        wait_records(folder, records + [("", NEW_REPLY)])
        texts = records + [("", NEW_REPLY)]
        state = wait_rows(bench, listview, texts, [ATTACHMENT, LATE_ATTACHMENT])
        assert bench.drive("window", edit["hwnd"])["title"] == "", "the edit box kept its text"

        # The same text again is refused.
        paste_into(bench, edit["rect"], NEW_REPLY)
        bench.drive("click", *centre_of(controls["添加"]))
        answer_message(bench, pid, "添加的内容已存在！", "warning")
        assert content_records(folder) == texts

        # Delete: select the new row, right click, "删除" (the first item).
        new_row = len(records)
        bench.drive("click", *row_point(state, new_row), "right")
        choose_menu_item(bench, hwnd, 0)
        wait_records(folder, records)
        wait_rows(bench, listview, records, [ATTACHMENT, LATE_ATTACHMENT])
        assert os.path.exists(os.path.join(folder, "fi", ATTACHMENT))

        # Delete an attachment row: its file goes, the table stays.
        state = list_state(bench, listview)
        late = rows_of(state).index((MARKER, LATE_ATTACHMENT))
        bench.drive("click", *row_point(state, late), "right")
        choose_menu_item(bench, hwnd, 0)
        wait_rows(bench, listview, records, [ATTACHMENT])
        assert not os.path.exists(os.path.join(folder, "fi", LATE_ATTACHMENT))
        assert content_records(folder) == records

        end_velquin(bench, pid)
    return 0


def centre_of(control):
    left, top, right, bottom = control["rect"]
    return (left + right) // 2, (top + bottom) // 2


if __name__ == "__main__":
    sys.exit(main())
