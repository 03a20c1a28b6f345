"""Export and import of the text replies in the real program: the file
dialog (another folder, the default extension), the exported bytes, one
message box per imported row, a refused file that changes nothing, and the
tables still found in the program's folder afterwards."""

import os
import sys

from bench import Bench, windows_path
from replies import (answer_message, choose_file, choose_import_export, click_control,
                     content_records, open_reply_menu, paste_into, reply_list, check_records,
                     wait_rows)
from velquin import (children_by_text, end_velquin, program_folder, require_program,
                     start_velquin, wait_started)

ATTACHMENT = "名片.jpg"
IMPORT_LINES = "[F3]欢迎光临\r\n\r\n[]请稍等]这段不会导入\r\n[文件]名片.jpg"
IMPORTED = [("F3", "欢迎光临"), ("", "请稍等"), ("文件", "名片.jpg")]
REFUSED_LINES = "[F1]第一行\r\n没有方括号的第二行\r\n"
REFUSED_MESSAGE = "第 2 行没有内容（每行应为“[快捷键]内容”），整个文件未导入，回复没有改动。"


def gbk(text):
    return text.encode("gbk")


def file_bytes(path):
    """The file's bytes, or None while it is not there."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def transfer(bench, pid, hwnd, listview, export, path):
    open_reply_menu(bench, hwnd, listview)
    choose_import_export(bench, hwnd, export)
    choose_file(bench, pid, windows_path(path))


def main():
    require_program()
    with Bench("velquin_reply_files", timeout=240) as bench:
        folder = program_folder(bench, {})
        with open(os.path.join(folder, "fi", ATTACHMENT), "wb") as f:
            f.write(b"\xff\xd8")
        records = content_records(folder)
        elsewhere = bench.temp_dir("导出 文件夹")

        pid = start_velquin(bench, folder)
        hwnd = wait_started(bench, pid)["hwnd"]
        listview = reply_list(bench, hwnd)
        wait_rows(bench, listview, records, [ATTACHMENT])

        # Export, typed without extension: the dialog adds ".txt".
        transfer(bench, pid, hwnd, listview, True, os.path.join(elsewhere, "回复"))
        exported = os.path.join(elsewhere, "回复.txt")
        expected = b"".join(gbk(f"[{k}]{t}\r\n") for k, t in records)
        bench.wait_until(lambda: file_bytes(exported), "the exported bytes",
                         until=lambda data: data == expected)

        # A file with a line without content is refused whole; nothing changes.
        refused = os.path.join(elsewhere, "坏的.txt")
        with open(refused, "wb") as f:
            f.write(gbk(REFUSED_LINES))
        transfer(bench, pid, hwnd, listview, False, refused)
        answer_message(bench, pid, REFUSED_MESSAGE, "warning")
        wait_rows(bench, listview, records, [ATTACHMENT])
        assert content_records(folder) == records

        # Import: one box per row, then the new records and the attachment.
        source = os.path.join(elsewhere, "新回复.txt")
        with open(source, "wb") as f:
            f.write(gbk(IMPORT_LINES))
        transfer(bench, pid, hwnd, listview, False, source)
        for _ in IMPORTED:
            answer_message(bench, pid, "导入成功！", "warning")
        wait_rows(bench, listview, IMPORTED, [ATTACHMENT])
        check_records(folder, IMPORTED)
        assert bench.drive("dialog-count", pid)["count"] == 0, "a message box too many"
        assert os.path.exists(os.path.join(folder, "fi", ATTACHMENT)), "the import touched fi"

        # The working directory stayed: an add still finds the table.
        edit = [c for c in bench.drive("children", hwnd)["children"] if c["class"] == "Edit"][0]
        paste_into(bench, edit, "导入之后")
        click_control(bench, children_by_text(bench, hwnd)["添加"])
        wait_rows(bench, listview, IMPORTED + [("", "导入之后")], [ATTACHMENT])
        check_records(folder, IMPORTED + [("", "导入之后")])

        # The export leaves out the marker record with the attachment rows.
        os.remove(exported)
        transfer(bench, pid, hwnd, listview, True, exported)
        expected = gbk("[F3]欢迎光临\r\n[]请稍等\r\n[]导入之后\r\n")
        bench.wait_until(lambda: file_bytes(exported), "the second export's bytes",
                         until=lambda data: data == expected)

        end_velquin(bench, pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
