"""Esc in the active panel and a click on "关闭" end the program with exit
code 0; the window and the tray icon go, and the settings table is left as
it was, with the tray flag set and with it clear."""

import sys

from bench import Bench
from velquin import (children_by_text, centre, program_folder, read_settings, require_program,
                     start_velquin, wait_started, wait_tray_icon)

# (how the user closes the panel, is the tray flag set)
CASES = [("esc", False), ("esc", True), ("关闭", False), ("关闭", True)]


def close_panel(bench, window, how):
    left, top = window["rect"][0], window["rect"][1]
    if how == "esc":
        # A click on the background below the buttons makes the panel active;
        # the key goes to whichever window is in front when it is queued.
        bench.drive("click", left + 150, top + 640)
        bench.wait_foreground(window["hwnd"], "the panel")
        bench.drive("key", "esc")
    else:
        button = children_by_text(bench, window["hwnd"])[how]
        assert button["class"] == "Button", button
        bench.drive("click", *centre(button["rect"]))


def check_case(bench, how, tray_flag):
    name = f"{how}, tray flag {int(tray_flag)}"
    folder = program_folder(bench, {"托盘图标": tray_flag})
    before = read_settings(folder)
    pid = start_velquin(bench, folder)
    window = wait_started(bench, pid)
    assert window["visible"], f"{name}: the panel is not visible"
    close_panel(bench, window, how)
    code = bench.wait_exit(pid, f"{name}: the program")
    assert code == 0, f"{name}: exit code {code}"
    bench.wait_gone(window["hwnd"], f"{name}: the panel")
    wait_tray_icon(bench, False)
    # The program has ended, so the table is closed.
    assert read_settings(folder) == before, f"{name}: the settings table changed"


def main():
    require_program()
    with Bench("velquin_shutdown", timeout=180) as bench:
        for how, tray_flag in CASES:
            check_case(bench, how, tray_flag)
    return 0


if __name__ == "__main__":
    sys.exit(main())
