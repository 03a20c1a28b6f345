"""Start-up with each combination of the settings that shows on screen:
visibility, the checked radio button, the radio group's state and the tray
icon, which start-up shows whatever the settings say. The stand-in chat
client is running, as the user's chat client would be."""

import sys

from bench import Bench
from velquin import (children_by_text, centre, end_velquin, program_folder, read_settings,
                     require_program, start_standin, start_velquin, tray_icons, wait_started)

S, T, H, F = "粘贴或发送", "托盘图标", "隐藏运行", "跟随微信"

# settings that are true -> (window visible, "一键发送" checked, radio group enabled)
CASES = [
    ((), (True, False, False)),
    ((S,), (True, True, False)),
    ((T,), (True, False, False)),
    ((F,), (True, False, True)),
    ((S, F), (True, True, True)),
    ((H,), (False, False, False)),
    ((H, F), (False, False, True)),
    ((S, T, H, F, "开机启动"), (False, True, True)),
]


def one_edit_box(bench, hwnd):
    edits = [c["hwnd"] for c in bench.drive("children", hwnd)["children"] if c["class"] == "Edit"]
    assert len(edits) == 1, f"{len(edits)} edit boxes"
    return edits[0]


def check_case(bench, true_fields, expected):
    name = "+".join(true_fields) or "all false"
    visible, send_checked, group_enabled = expected
    settings = {field: True for field in true_fields}
    folder = program_folder(bench, settings)
    before = read_settings(folder)
    pid = start_velquin(bench, folder)
    # Start-up has ended, so what it shows or hides is settled.
    window = wait_started(bench, pid)
    assert window["visible"] == visible, f"{name}: visible is {window['visible']}"
    icons = tray_icons(bench)
    assert len(icons) == 1, f"{name}: {len(icons)} tray icons"

    controls = children_by_text(bench, window["hwnd"])
    assert controls["一键发送"]["checked"] == send_checked, f"{name}: 一键发送"
    assert controls["只是粘贴"]["checked"] == (not send_checked), f"{name}: 只是粘贴"
    group = [c for c in bench.drive("children", window["hwnd"])["children"]
             if c["class"] == "Button" and c["style"] & 0xF == 7]  # BS_GROUPBOX
    assert len(group) == 1, f"{name}: {len(group)} group boxes"
    assert group[0]["enabled"] == group_enabled, f"{name}: group enabled {group[0]['enabled']}"

    if visible and not group_enabled:
        # A disabled group blocks its radio buttons: a click changes nothing.
        target = "只是粘贴" if send_checked else "一键发送"
        bench.drive("click", *centre(controls[target]["rect"]))
        # Nothing to wait for when nothing may change: the panel handles its
        # input in order, so once a later click has put the focus in the edit
        # box, the click on the radio has been handled.
        edit = one_edit_box(bench, window["hwnd"])
        assert bench.drive("focus", edit)["focus"] != edit, f"{name}: the edit box had the focus"
        bench.drive("click", *centre(bench.drive("window", edit)["rect"]))
        bench.wait_focus(edit, "the panel's edit box")
        after = children_by_text(bench, window["hwnd"])
        assert after["一键发送"]["checked"] == send_checked, f"{name}: a blocked radio took a click"
    if visible:
        bench.screenshot(f"{name}", crop=(window["rect"][0], window["rect"][1], 300, 650))

    end_velquin(bench, pid)
    # Start-up writes nothing, not even the tray flag that hide mode sets.
    assert read_settings(folder) == before, f"{name}: the settings table changed"


def main():
    require_program()
    with Bench("velquin_startup", timeout=240) as bench:
        start_standin(bench)
        for true_fields, expected in CASES:
            check_case(bench, true_fields, expected)
    return 0


if __name__ == "__main__":
    sys.exit(main())
