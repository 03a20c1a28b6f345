"""A second start while Velquin runs: the message "检测到系统已有相同程序在运行，
请勿重复运行本程序", exit code 0, and the running copy's panel brought in front
of the window the user was in. A running copy in hide mode stays hidden, and a
copy of the program under another file name is refused all the same."""

import os
import shutil
import sys

from bench import Bench
from velquin import (children_by_text, centre, program_folder, require_program, start_standin,
                     start_velquin, tray_icons, wait_started, windows_path)
from switches import answer_message_box, wait_visible

ALREADY_RUNNING = "检测到系统已有相同程序在运行，请勿重复运行本程序"


def refused(bench, exe_folder, name="Velquin.exe"):
    """Starts one more copy, answers its message and checks its exit code."""
    exe = windows_path(os.path.join(exe_folder, name))
    pid = bench.drive("start", exe, windows_path(os.path.dirname(exe_folder)))["pid"]
    answer_message_box(bench, pid, ALREADY_RUNNING, "information", caption="友情提醒:")
    assert bench.wait_exit(pid, f"the refused copy {name}") == 0


def main():
    require_program()
    with Bench("velquin_single_instance", timeout=240) as bench:
        chat = start_standin(bench)
        folder = program_folder(bench, {})
        first = start_velquin(bench, folder)
        panel = wait_started(bench, first)["hwnd"]

        # The user works in the chat client, then starts Velquin again.
        bench.drive("activate", chat["hwnd"])
        bench.wait_foreground(chat["hwnd"], "the chat client")
        refused(bench, folder)
        bench.wait_foreground(panel, "the running copy's panel")
        assert len(tray_icons(bench)) == 1, "the refused copy left a tray icon"

        # Another file name: the marker is the same, the process search finds
        # no copy of that name, so nothing is brought forward.
        shutil.copy2(os.path.join(folder, "Velquin.exe"), os.path.join(folder, "其他.exe"))
        refused(bench, folder, "其他.exe")

        # In hide mode the panel is invisible: the search passes it over.
        hide = children_by_text(bench, panel)["隐藏运行"]
        bench.drive("click", *centre(hide["rect"]))
        wait_visible(bench, panel, False)
        refused(bench, folder)
        assert not bench.drive("window", panel)["visible"], "the hidden panel was shown"
        assert not bench.drive("wait", first, 0)["exited"], "the running copy ended"
    return 0


if __name__ == "__main__":
    sys.exit(main())
