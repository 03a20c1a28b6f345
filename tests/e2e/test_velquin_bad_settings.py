"""A settings table that cannot be opened (missing, damaged, or protected
with another password): one message box "数据库打开失败！" with the error icon
and the caption "信息：", no panel and no tray icon; after OK the program
ends with a non-zero exit code instead of living on invisible."""

import os
import sys

from bench import Bench
from velquin import (MAIN_CLASS, MAIN_CAPTION, SETTINGS_FILE, program_folder, require_program,
                     start_velquin, tray_icons, write_settings)


def remove(folder):
    os.remove(os.path.join(folder, SETTINGS_FILE))


def damage(folder):
    # Right size for a header, wrong bytes.
    with open(os.path.join(folder, SETTINGS_FILE), "wb") as f:
        f.write(bytes(range(256)) * 4)


def other_password(folder):
    write_settings(folder, {"托盘图标": True}, password="999999")


CASES = [("missing", remove), ("damaged", damage), ("other password", other_password)]


def check_case(bench, name, spoil):
    folder = program_folder(bench)
    spoil(folder)
    pid = start_velquin(bench, folder)
    box = bench.wait_message_box(pid, f"{name}: the message")
    bench.screenshot(f"{name.replace(' ', '-')}-message")
    assert box["count"] == 1, f"{name}: {box['count']} message boxes"
    assert box["caption"] == "信息：", f"{name}: caption {box['caption']!r}"
    assert box["texts"] == ["数据库打开失败！"], f"{name}: texts {box['texts']}"
    assert box["icon"] == "error", f"{name}: icon {box['icon']}"
    assert len(box["buttons"]) == 1, f"{name}: buttons {box['buttons']}"
    assert box["owner"] == 0, f"{name}: the message box has an owner window"

    panel = bench.drive("find", MAIN_CLASS, MAIN_CAPTION)
    if panel["found"]:
        assert not panel["visible"], f"{name}: the panel is visible"
        # Modal for all windows of the program, the hidden panel included.
        bench.wait_until(lambda: bench.drive("window", panel["hwnd"]),
                         f"{name}: the panel disabled behind the message",
                         until=lambda w: not w["enabled"])
    assert not tray_icons(bench), f"{name}: a tray icon is shown"

    bench.drive("dialog-press", box["hwnd"])
    bench.wait_gone(box["hwnd"], f"{name}: the message box, after OK,")
    code = bench.wait_exit(pid, f"{name}: the program, after the message,")
    assert code != 0, f"{name}: exit code 0 after a failed start"
    assert bench.drive("dialog-count")["count"] == 0, f"{name}: another message box came"
    assert not tray_icons(bench), f"{name}: a tray icon is left"


def main():
    require_program()
    with Bench("velquin_bad_settings", timeout=150) as bench:
        for name, spoil in CASES:
            check_case(bench, name, spoil)
    return 0


if __name__ == "__main__":
    sys.exit(main())
