"""The hotkey editor in the real program: opened from the reply menu as a
modal window, F3 given to the second reply, a taken key refused, the save
reported and shown in the main list and in the table."""

import sys

from bench import Bench
from replies import (answer_message, choose_menu_item, content_records, list_state,
                     open_reply_menu, reply_list, row_point, rows_of, wait_records, wait_rows,
                     wait_until)
from velquin import (centre, children_by_text, end_velquin, program_folder, require_program,
                     start_velquin, wait_started)

EDITOR_CLASS = "TovanelHotkeyEditor"
LVS_SHOWSELALWAYS = 0x8


def choose_key(bench, combo, choice):
    """Opens the drop-down list and moves to item `choice` from the top."""
    bench.drive("click", *centre(combo["rect"]))
    for key in ["up"] * 13 + ["down"] * choice + ["enter"]:
        bench.drive("key", key)


def main():
    require_program()
    with Bench("velquin_hotkey_editor", timeout=180) as bench:
        folder = program_folder(bench, {})
        records = content_records(folder)
        assert [k for k, _ in records] == ["F1", "", "F2"], records

        pid = start_velquin(bench, folder)
        hwnd = wait_started(bench, pid)["hwnd"]
        listview = reply_list(bench, hwnd)
        wait_rows(bench, listview, records)

        open_reply_menu(bench, hwnd, listview)
        choose_menu_item(bench, hwnd, 1, already_open=True)
        found = bench.drive("wait-window", EDITOR_CLASS, "-", 15000, "visible")
        assert found["found"], "the hotkey editor did not open"
        editor = found["hwnd"]
        assert found["owner"] == hwnd, "the editor is not owned by the main window"
        assert not bench.drive("window", hwnd)["enabled"], "the main window takes input"

        controls = children_by_text(bench, editor)
        for text in ("快捷键编辑器", "点击项目后设置的快捷键确定，设置完成后点击全部保存生效。",
                     "关闭", "选中项目设置快捷键：", "设置的快捷键：", "确定", "保存以上全部设置"):
            assert text in controls, f"the editor has no {text!r}"
        editor_list = reply_list(bench, editor)
        assert bench.drive("window", editor_list)["style"] & LVS_SHOWSELALWAYS
        combo = [c for c in bench.drive("children", editor)["children"]
                 if c["class"] == "ComboBox"][0]
        state = wait_until("the editor's rows", lambda: list_state(bench, editor_list),
                           lambda s: rows_of(s) == records)

        # F3 to the second row.
        bench.drive("click", *row_point(state, 1))
        choose_key(bench, combo, 3)
        bench.drive("click", *centre(controls["确定"]["rect"]))
        wanted = [records[0], ("F3", records[1][1]), records[2]]
        wait_until("F3 in the editor", lambda: rows_of(list_state(bench, editor_list)),
                   lambda rows: rows == wanted)
        bench.screenshot("assigned")

        # F1 is taken by the first row.
        choose_key(bench, combo, 1)
        bench.drive("click", *centre(controls["确定"]["rect"]))
        answer_message(bench, pid, "快捷键已存在！", "warning")

        bench.drive("click", *centre(controls["保存以上全部设置"]["rect"]))
        answer_message(bench, pid, "保存成功！", "information")
        wait_records(folder, wanted)
        wait_rows(bench, listview, wanted)

        bench.drive("click", *centre(controls["关闭"]["rect"]))
        assert bench.drive("wait-gone", editor, 10000)["gone"], "the editor stayed open"
        assert bench.drive("window", hwnd)["enabled"], "the main window stayed disabled"

        end_velquin(bench, pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
