"""Delivering replies into the stand-in chat client, driven as a person
would: a click on a text row pastes it into the input box, in send mode the
Send button is clicked, an attachment row arrives as a file list naming the
file in fi, F3 delivers both rows keyed F3 in order and still reaches the
focused program, and with following off F5 pastes into the focused window
with no click."""

import os
import sys

from automation import (click_row, logged, read_log, start_chat, wait_docked, wait_log,
                        write_replies)
from bench import Bench, skip, wait_for, windows_path
from replies import reply_list
from velquin import program_folder, require_program, start_velquin, wait_started

ATTACHMENT = "附件 一.txt"
ROWS = [("F3", "第一条\tF3"), ("", "点击的回复"), ("F3", "第二条 F3"), ("F5", "F5 的回复")]


def start(bench, settings, log):
    folder = program_folder(bench, settings)
    write_replies(folder, ROWS)
    with open(os.path.join(folder, "fi", ATTACHMENT), "w") as f:
        f.write("x")
    pid = start_velquin(bench, folder)
    panel = wait_started(bench, pid)["hwnd"]
    lst = reply_list(bench, panel)
    rows = wait_for(lambda: bench.drive("list-row", lst, 0, check=False).get("count"), 10)
    if not rows:
        skip("the reply list shows no rows: it is not filled from the reply table yet")
    assert rows == len(ROWS) + 1, f"{rows} rows in the list"
    return folder, pid, panel, lst


def following(bench, work):
    log = os.path.join(work, "follow.txt")
    chat = start_chat(bench, (40, 60, 640, 560), log)
    folder, pid, panel, lst = start(bench, {"跟随微信": True}, log)
    bench.drive("activate", chat["hwnd"])
    wait_docked(bench, panel, chat["hwnd"])

    click_row(bench, lst, len(ROWS))  # the attachment, after the text rows
    path = windows_path(os.path.join(folder, "fi", ATTACHMENT))
    assert wait_log(bench, log, 1)[0] == ("paste-files", logged(path)), read_log(log)

    # F3 reaches the focused input box first, then both rows follow, in order.
    bench.drive("key", "f3")
    assert wait_log(bench, log, 4)[1:] == [("key", "F3"), ("paste-text", logged(ROWS[0][1])),
                                    ("paste-text", logged(ROWS[2][1]))], read_log(log)
    bench.drive("kill", pid)
    bench.drive("kill", chat["pid"])


def sending(bench, work):
    log = os.path.join(work, "send.txt")
    chat = start_chat(bench, (40, 60, 640, 560), log)
    _, pid, panel, lst = start(bench, {"跟随微信": True, "粘贴或发送": True}, log)
    bench.drive("activate", chat["hwnd"])
    wait_docked(bench, panel, chat["hwnd"])
    click_row(bench, lst, 1)
    text = logged(ROWS[1][1])
    assert wait_log(bench, log, 2) == [("paste-text", text), ("send", text)], read_log(log)
    # The delivery ends after the Send click is logged; a click before that
    # would land in the middle of it.
    bench.wait_until(lambda: bench.drive("list-row", lst, 1), "the row deselected after sending",
                     until=lambda row: row["selected"] == -1)
    # And the next click, with the chat client now in front.
    click_row(bench, lst, 3)
    again = logged(ROWS[3][1])
    assert wait_log(bench, log, 4)[2:] == [("paste-text", again), ("send", again)], read_log(log)
    bench.drive("kill", pid)
    bench.drive("kill", chat["pid"])


def not_following(bench, work):
    """F5 goes into whatever has the focus, with no click and no Send even in
    send mode: here the stand-in's input box, focused by hand beforehand."""
    log = os.path.join(work, "still.txt")
    chat = start_chat(bench, (10, 10, 400, 400), log)  # clear of the centred panel
    _, pid, _, _ = start(bench, {"粘贴或发送": True}, log)
    rect = chat["rect"]
    bench.drive("click", rect[2] - 33, rect[3] - 58)
    bench.drive("click", 1200, 1000, "move")  # the cursor stays where the hand left it
    bench.drive("key", "f5")
    assert wait_log(bench, log, 2) == [("key", "F5"), ("paste-text", logged(ROWS[3][1]))], read_log(log)
    assert bench.drive("click", 1200, 1000, "move")["x"] == 1200
    bench.drive("kill", pid)
    bench.drive("kill", chat["pid"])
    # Nothing else came: a stray Send would have been logged by now.
    assert read_log(log) == [("key", "F5"), ("paste-text", logged(ROWS[3][1]))], read_log(log)


def main():
    require_program()
    with Bench("velquin_delivery", timeout=180) as bench:
        work = bench.temp_dir("delivery 日志")
        following(bench, work)
        sending(bench, work)
        not_following(bench, work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
