"""The switches in the real program, beside the stand-in chat client: the
send-mode radio buttons, hide mode through "隐藏运行" and the tray menu's
"显示/隐藏", "跟随微信" off (the fixed place) and on again (docked), and
"退出". Each change reaches the settings table at once."""

import sys

from automation import docked_rect
from bench import Bench
from switches import (EXIT, FOLLOW, SHOW_HIDE, choose_tray_item, settle_pointer, wait_setting,
                      wait_visible)
from velquin import (SETTING_FIELDS, children_by_text, centre, program_folder, read_settings,
                     require_program, start_standin, start_velquin, wait_started)

S, T, H, F, A = SETTING_FIELDS


def click_control(bench, hwnd, text):
    bench.drive("click", *centre(children_by_text(bench, hwnd)[text]["rect"]))


def wait_docked(bench, hwnd, chat_hwnd):
    """Waits until the panel stands beside the chat client."""
    chat = bench.drive("window", chat_hwnd)["rect"]
    return bench.wait_until(lambda: bench.drive("window", hwnd),
                            f"the panel docked at {docked_rect(chat)}",
                            until=lambda w: w["rect"] == docked_rect(chat))


def wait_checked(bench, hwnd, text):
    bench.wait_until(lambda: children_by_text(bench, hwnd)[text], f"{text} checked",
                     until=lambda c: c["checked"])


def send_mode_and_back(bench, folder, hwnd):
    click_control(bench, hwnd, "一键发送")
    wait_checked(bench, hwnd, "一键发送")
    record = wait_setting(bench, folder, S, True, hwnd)
    click_control(bench, hwnd, "只是粘贴")
    wait_checked(bench, hwnd, "只是粘贴")
    record = wait_setting(bench, folder, S, False, hwnd)
    assert record == {S: False, T: False, H: False, F: True, A: False}, record


def hide_and_show_from_the_tray(bench, folder, hwnd, chat_hwnd):
    click_control(bench, hwnd, "隐藏运行")
    wait_visible(bench, hwnd, False)
    record = wait_setting(bench, folder, H, True, hwnd)
    assert record[T], f"hiding must store the tray icon too: {record}"
    choose_tray_item(bench, hwnd, SHOW_HIDE)
    wait_visible(bench, hwnd, True)
    wait_docked(bench, hwnd, chat_hwnd)
    record = wait_setting(bench, folder, H, False, hwnd)
    assert record == {S: False, T: True, H: False, F: True, A: False}, record


def follow_off_and_on(bench, folder, hwnd, chat_hwnd):
    choose_tray_item(bench, hwnd, FOLLOW)
    window = bench.wait_until(lambda: bench.drive("window", hwnd),
                              "the panel at its fixed place 1000, 200, 300 × 630",
                              until=lambda w: w["rect"] == [1000, 200, 1300, 830])
    assert window["visible"]
    wait_setting(bench, folder, F, False, hwnd)
    controls = children_by_text(bench, hwnd)
    list_view = [c for c in bench.drive("children", hwnd)["children"]
                 if c["class"] == "SysListView32"][0]
    assert list_view["rect"][3] - list_view["rect"][1] == 430, list_view["rect"]
    assert controls["查看说明书"]["rect"][1] == 200 + 595, controls["查看说明书"]["rect"]
    assert controls["添加"]["rect"][1] == 200 + 595, controls["添加"]["rect"]
    assert not children_by_text(bench, hwnd)["一键发送"]["enabled"]

    choose_tray_item(bench, hwnd, FOLLOW)
    wait_setting(bench, folder, F, True, hwnd)
    wait_docked(bench, hwnd, chat_hwnd)
    bench.wait_until(lambda: children_by_text(bench, hwnd)["一键发送"],
                     "the radio buttons enabled again", until=lambda c: c["enabled"])


def main():
    require_program()
    with Bench("velquin_switches", timeout=300) as bench:
        chat = start_standin(bench)["hwnd"]
        folder = program_folder(bench, {F: True})
        pid = start_velquin(bench, folder)
        hwnd = wait_started(bench, pid)["hwnd"]
        # Following: the radio buttons work once the panel has come to rest.
        wait_docked(bench, hwnd, chat)
        settle_pointer(bench, hwnd)
        send_mode_and_back(bench, folder, hwnd)
        hide_and_show_from_the_tray(bench, folder, hwnd, chat)
        follow_off_and_on(bench, folder, hwnd, chat)
        choose_tray_item(bench, hwnd, EXIT)
        assert bench.wait_exit(pid, "Velquin after 退出") == 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
