"""Following the chat client, driven as a person would: the panel docks to
the stand-in's right edge with its top and height and follows it, comes to
the front with it, hides on a left click on another program and comes back
with the chat client, ignores other mouse events and clicks on itself, and
hides when the chat client is hidden or closed."""

import sys

from automation import (NOTEPAD, start_chat, summary, wait_docked, wait_hidden, wait_window)
from bench import Bench
from velquin import centre, program_folder, require_program, start_velquin, wait_started

FOLLOW = {"跟随微信": True}


def check_layout(bench, panel, height):
    """The controls below the list follow the panel's height."""
    rect = bench.drive("window", panel)["rect"]
    children = {c["class"]: c for c in bench.drive("children", panel)["children"]
                if c["class"] in ("SysListView32", "Edit")}
    lst, edit = children["SysListView32"]["rect"], children["Edit"]["rect"]
    assert lst[3] - lst[1] == height - 210, f"list {lst} in a panel of height {height}"
    assert edit[1] - rect[1] == height - 75, f"edit box {edit} in a panel of height {height}"


def still_shown(bench, panel, what):
    window = bench.drive("window", panel)
    assert window["visible"], f"{what} hid the panel: {summary(window)}"


def main():
    require_program()
    with Bench("velquin_docking", timeout=150) as bench:
        chat = start_chat(bench, (40, 60, 600, 500))
        pid = start_velquin(bench, program_folder(bench, FOLLOW))
        panel = wait_started(bench, pid)["hwnd"]

        bench.drive("activate", chat["hwnd"])
        wait_docked(bench, panel, chat["hwnd"])
        check_layout(bench, panel, 500)

        # Moved and stretched by its owner, the chat window takes the panel along.
        bench.drive("resize", chat["hwnd"], 100, 80, 700, 560)
        wait_docked(bench, panel, chat["hwnd"])
        check_layout(bench, panel, 560)

        # Another program comes up below: the panel stays until it is clicked.
        notepad = bench.drive("start", NOTEPAD, "-")
        found = bench.wait_window("Notepad", "-", visible=True, pid=notepad["pid"])
        bench.drive("resize", found["hwnd"], 40, 700, 500, 280)
        other = bench.drive("window", found["hwnd"])
        still_shown(bench, panel, "another program's start")

        # Events that never hide: right click, wheel, moves, a click on the panel.
        ox, oy = centre(other["rect"])
        prect = bench.drive("window", panel)["rect"]
        bench.drive("click", ox, oy, "right")
        bench.drive("key", "esc")  # closes Notepad's context menu
        still_shown(bench, panel, "a right click on another program")
        bench.drive("wheel", ox, oy, -120)
        bench.drive("wheel", ox, oy, 120)
        still_shown(bench, panel, "the wheel over another program")
        bench.drive("click", ox + 50, oy + 50, "move")
        bench.drive("click", 1250, 1000, "move")
        still_shown(bench, panel, "moves")
        bench.drive("click", prect[0] + 150, prect[1] + 115)  # 标签2, on the panel
        still_shown(bench, panel, "a left click on the panel")
        crect = bench.drive("window", chat["hwnd"])["client"]
        # The chat main window itself, in the margin left of its controls.
        bench.drive("click", crect[0] + 5, (crect[1] + crect[3]) // 2)
        wait_docked(bench, panel, chat["hwnd"])

        # A left click on another program hides it; a click into the chat
        # client brings it to the front, and the panel with it.
        bench.drive("click", ox, oy)
        wait_hidden(bench, panel)
        bench.drive("click", crect[0] + 200, crect[1] + 100)  # its message history
        wait_docked(bench, panel, chat["hwnd"])

        # Hidden, then closed: the panel goes with it.
        bench.drive("show-window", chat["hwnd"], 0)
        wait_hidden(bench, panel)
        bench.drive("show-window", chat["hwnd"], 1)
        bench.drive("activate", chat["hwnd"])
        wait_docked(bench, panel, chat["hwnd"])
        bench.screenshot("docked")
        bench.kill(chat["pid"])
        wait_window(bench, panel, "the panel hidden at 0,0 once the chat client is gone",
                    lambda w: not w["visible"] and w["rect"][:2] == [0, 0])
        bench.kill(notepad["pid"])
        bench.kill(pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
