"""The reply list in the real program: rows from the content table and the
attachment folder with their images, a reply added with the edit box and
"添加", a duplicate refused, a text and an attachment deleted through the
context menu, a file put into fi appearing as a row, and two files and a
folder dropped on the list from an X drag-and-drop source."""

import os
import sys

from bench import Bench
from replies import (answer_message, choose_menu_item, click_control, content_records, drop_files,
                     list_state, open_reply_menu, paste_into, reply_list, rows_of, MARKER,
                     wait_menu_closed, check_records, wait_rows)
from velquin import (children_by_text, end_velquin, program_folder, require_program,
                     start_velquin, wait_started)

NEW_REPLY = "新的回复：稍等 5 分钟"
ATTACHMENT = "报价单 2024.txt"
LATE_ATTACHMENT = "后来的图片.png"
ATTACHMENT_ASCII = "price.txt"  # dropped names: the drop source sends plain file URIs
DELETE = 0  # the menu's first item


def main():
    require_program()
    with Bench("velquin_reply_list", timeout=180) as bench:
        folder = program_folder(bench, {})
        fi = os.path.join(folder, "fi")
        with open(os.path.join(fi, ATTACHMENT), "wb") as f:
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
        with open(os.path.join(fi, LATE_ATTACHMENT), "wb") as f:
            f.write(b"\x89PNG")

        controls = children_by_text(bench, hwnd)
        edit = [c for c in bench.drive("children", hwnd)["children"] if c["class"] == "Edit"][0]
        paste_into(bench, edit, NEW_REPLY)
        click_control(bench, controls["添加"])
        texts = records + [("", NEW_REPLY)]
        state = wait_rows(bench, listview, texts, [ATTACHMENT, LATE_ATTACHMENT])
        check_records(folder, texts)
        bench.wait_until(lambda: bench.drive("text", edit["hwnd"])["text"],
                         "the edit box emptied", until=lambda title: title == "")

        # The same text again is refused and stays in the box.
        paste_into(bench, edit, NEW_REPLY)
        click_control(bench, controls["添加"])
        answer_message(bench, pid, "添加的内容已存在！", "warning")
        assert content_records(folder) == texts
        assert bench.drive("text", edit["hwnd"])["text"] == NEW_REPLY

        # "删除" on the new text row.
        menu = open_reply_menu(bench, hwnd, listview, row=len(records))
        choose_menu_item(bench, menu, DELETE)
        state = wait_rows(bench, listview, records, [ATTACHMENT, LATE_ATTACHMENT])
        check_records(folder, records)
        assert os.path.exists(os.path.join(fi, ATTACHMENT))

        # "删除" on an attachment row: its file goes, the table stays.
        late = rows_of(state).index((MARKER, LATE_ATTACHMENT))
        menu = open_reply_menu(bench, hwnd, listview, row=late)
        choose_menu_item(bench, menu, DELETE)
        wait_rows(bench, listview, records, [ATTACHMENT])
        assert not os.path.exists(os.path.join(fi, LATE_ATTACHMENT))
        assert content_records(folder) == records

        # Below the rows nothing is selected: "删除" is disabled, a click on
        # it leaves the menu open, and Esc closes it with nothing done.
        menu = open_reply_menu(bench, hwnd, listview)
        assert list_state(bench, listview)["selected"] == -1
        left, top, right, bottom = menu["rect"]
        bench.drive("click", (left + right) // 2, top + 10)
        bench.wait_foreground(hwnd, "the panel")
        bench.drive("key", "esc")
        wait_menu_closed(bench)
        bench.wait_until(lambda: bench.drive("sync", hwnd, 1000), "the panel idle",
                         until=lambda r: r["answered"])
        assert bench.drive("dialog-count", pid)["count"] == 0, "the disabled item acted"
        assert content_records(folder) == records

        # A drop of two files and a folder: each file is copied into fi (one
        # replacing the file of its name) and appended as a row; the folder is not.
        outside = bench.temp_dir("drop")
        for name, data in (("photo.png", b"new"), (ATTACHMENT_ASCII, b"replaced")):
            with open(os.path.join(outside, name), "wb") as f:
                f.write(data)
        os.makedirs(os.path.join(outside, "a folder"))
        with open(os.path.join(fi, ATTACHMENT_ASCII), "wb") as f:
            f.write(b"old")
        drop_files(bench, listview, [os.path.join(outside, n)
                                     for n in ("photo.png", ATTACHMENT_ASCII, "a folder")])
        state = bench.wait_until(lambda: list_state(bench, listview), "two dropped rows",
                                 until=lambda s: len(s["rows"]) == len(records) + 3)
        assert rows_of(state)[-2:] == [(MARKER, "photo.png"), (MARKER, ATTACHMENT_ASCII)], \
            rows_of(state)
        assert [r["image"] for r in state["rows"][-2:]] == [0, 0]
        for name, data in (("photo.png", b"new"), (ATTACHMENT_ASCII, b"replaced")):
            with open(os.path.join(fi, name), "rb") as f:
                assert f.read() == data, f"fi/{name} holds {data!r}"
        assert not os.path.exists(os.path.join(fi, "a folder")), "the folder was copied"

        end_velquin(bench, pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
