"""The tray item "开机启动" writes the Run value, in quotes, and deletes it
again (read back with Wine's reg.exe), and stores the switch; "查看说明书"
opens the manual in the viewer the system associates with text files."""

import os
import sys

from bench import Bench
from switches import (AUTOSTART, EXIT, choose_tray_item, run_value, wait_setting, wine_reg)
from velquin import (children_by_text, centre, program_folder, require_program, start_velquin,
                     wait_started, windows_path)

A = "开机启动"


def autostart_on_and_off(bench, folder, hwnd):
    choose_tray_item(bench, hwnd, AUTOSTART)
    wait_setting(bench, folder, A, True, hwnd)
    # The folder's path holds a space: unquoted, Windows could start "Z:\…\Velquin".
    expected = f'"{windows_path(folder)}\\Velquin.exe"'
    assert run_value(bench, "HKLM") == ("REG_SZ", expected), run_value(bench, "HKLM")
    # With write access to the machine's key (Wine runs as root here) the
    # user's key is left alone.
    assert run_value(bench, "HKCU") is None, run_value(bench, "HKCU")

    choose_tray_item(bench, hwnd, AUTOSTART)
    wait_setting(bench, folder, A, False, hwnd)
    assert run_value(bench, "HKLM") is None, run_value(bench, "HKLM")
    assert run_value(bench, "HKCU") is None, run_value(bench, "HKCU")


def manual_opens(bench, folder, hwnd):
    # A fresh Wine prefix has notepad but no association for .txt; a user's
    # Windows has both.
    code, output = wine_reg(bench, "add", "HKCR\\.txt", "/ve", "/d", "txtfile", "/f")
    assert code == 0, output
    button = children_by_text(bench, hwnd)["查看说明书"]
    bench.drive("click", *centre(button["rect"]))
    viewer = bench.wait_window("Notepad", "使用说明.txt - 记事本", visible=True)
    bench.kill(viewer["pid"])


def main():
    require_program()
    with Bench("velquin_autostart_manual", timeout=240) as bench:
        folder = program_folder(bench, {})
        pid = start_velquin(bench, folder)
        hwnd = wait_started(bench, pid)["hwnd"]
        autostart_on_and_off(bench, folder, hwnd)
        manual_opens(bench, folder, hwnd)
        choose_tray_item(bench, hwnd, EXIT)
        assert bench.wait_exit(pid, "Velquin after 退出") == 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
