"""The hotkey editor in the real program: opened from the reply menu as a
modal window, F3 given to the second reply, a taken key refused, the save
reported and shown in the main list and in the table."""

import sys

from bench import Bench
from replies import (answer_message, choose_menu_item, click_control, content_records,
                     list_state, open_reply_menu, reply_list, row_point, rows_of, check_records,
                     wait_rows)
from velquin import (centre, children_by_text, end_velquin, program_folder, require_program,
                     start_velquin, wait_started)

EDITOR_CLASS = "TovanelHotkeyEditor"
EDIT_HOTKEYS = 1  # the reply menu's second item
LVS_SHOWSELALWAYS = 0x8


def choose_key(bench, combo, choice):
    """Opens the drop-down list and moves to item `choice` from the top."""
    bench.drive("click", *centre(combo["rect"]))
    bench.wait_focus(combo["hwnd"], "the drop-down list")
    for key in ["up"] * 13 + ["down"] * choice + ["enter"]:
        bench.drive("key", key)
    bench.wait_until(lambda: bench.drive("text", combo["hwnd"])["text"],
                     f"the drop-down list showing item {choice}",
                     until=lambda title: title == (f"F{choice}" if choice else "不使用"))


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

        menu = open_reply_menu(bench, hwnd, listview)
        choose_menu_item(bench, menu, EDIT_HOTKEYS)
        found = bench.wait_window(EDITOR_CLASS, "-", visible=True, pid=pid)
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
        state = bench.wait_until(lambda: list_state(bench, editor_list), "the editor's rows",
                                 until=lambda s: rows_of(s) == records)

        # F3 to the second row.
        bench.drive("click", *row_point(state, 1))
        choose_key(bench, combo, 3)
        click_control(bench, controls["确定"])
        wanted = [records[0], ("F3", records[1][1]), records[2]]
        bench.wait_until(lambda: rows_of(list_state(bench, editor_list)), "F3 in the editor",
                         until=lambda rows: rows == wanted)
        bench.screenshot("assigned")

        # F1 is taken by the first row.
        choose_key(bench, combo, 1)
        click_control(bench, controls["确定"])
        answer_message(bench, pid, "快捷键已存在！", "warning")

        click_control(bench, controls["保存以上全部设置"])
        answer_message(bench, pid, "保存成功！", "information")
        wait_rows(bench, listview, wanted)
        check_records(folder, wanted)

        click_control(bench, controls["关闭"])
        bench.wait_gone(editor, "the hotkey editor")
        assert bench.drive("window", hwnd)["enabled"], "the main window stayed disabled"

        end_velquin(bench, pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
