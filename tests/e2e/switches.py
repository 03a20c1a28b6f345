"""Helpers for the tests of the switches: the tray menu opened by a right
click on the tray icon in Wine's tray window, and waiting for the settings
table to hold a value."""

import subprocess

from replies import MENU_CLASS, click_menu_item
from velquin import SETTING_FIELDS, TRAY_TIP, centre, read_settings, tray_icons

# 托盘菜单's items, top to bottom.
SHOW_HIDE, FOLLOW, AUTOSTART, EXIT = range(4)
# 右键菜单's item "显示托盘图标".
SHOW_TRAY_ICON = 2


def tray_icon(bench):
    icons = [icon for tip, icon in tray_icons(bench) if tip == TRAY_TIP]
    assert len(icons) == 1, f"{len(icons)} tray icons with the tip {TRAY_TIP!r}"
    return icons[0]


def choose_tray_item(bench, main_hwnd, index):
    """Right-clicks Velquin's tray icon and clicks item `index` of 托盘菜单."""
    icon_x, icon_y = centre(tray_icon(bench)["rect"])
    # Wine may deliver a test's first click where the pointer stood before it
    # was moved (here: over the reply list, whose own menu then opens). Such
    # a menu is closed with Esc, and the icon clicked again.
    for attempt in range(3):
        bench.drive("click", icon_x, icon_y, "move")
        bench.drive("click", icon_x, icon_y, "right")
        menu = bench.wait_window(MENU_CLASS, "-", visible=True, pid=None)
        # 托盘菜单 opens beside the icon.
        if abs(menu["rect"][1] - icon_y) < 40 or abs(menu["rect"][3] - icon_y) < 40:
            break
        bench.drive("key", "esc")
        bench.wait_until(lambda: bench.drive("find", MENU_CLASS, "-"), "the stray menu closed",
                         until=lambda found: not found["found"] or not found["visible"])
    else:
        raise AssertionError(f"a menu at {menu['rect']} opened, not beside the tray icon at "
                             f"{icon_x, icon_y}")
    assert bench.drive("menu-mode", main_hwnd, 10000)["tracking"], "the tray menu is not tracked"
    click_menu_item(bench, menu, index, 4)


def wait_setting(bench, folder, field, value, panel=None):
    """Waits until the settings table's one record holds `value` in `field`;
    returns the record's five fields. Given the panel, first waits until its
    thread answers: the switch that writes runs there, and a dump taken in
    the middle of it holds the locks its write needs (a radio button's write
    then fails without a word). Call it once the switch shows its effect."""
    if panel is not None:
        bench.wait_until(lambda: bench.drive("sync", panel, 1000), "the panel idle",
                         until=lambda r: r["answered"])
    record = bench.wait_until(lambda: read_settings(folder),
                              f"the settings table to hold {field} = {value}",
                              until=lambda records: len(records) == 1
                              and records[0][field] == value)[0]
    return {name: record[name] for name in SETTING_FIELDS}


def wait_visible(bench, hwnd, visible):
    return bench.wait_until(lambda: bench.drive("window", hwnd),
                            f"the panel {'shown' if visible else 'hidden'}",
                            until=lambda w: w["visible"] == visible)


def answer_message_box(bench, pid, text, icon, caption="信息："):
    """Waits for the process's message box with its text, button and painted
    icon, checks it, presses OK and waits for it to close."""
    box = bench.wait_until(lambda: bench.drive("dialog", 0, pid),
                           f"a message box {text!r} with its button and icon",
                           until=lambda b: b["found"] and b["texts"] and b["buttons"]
                           and b["icon"] != "unknown")
    assert box["texts"] == [text], f"message {box['texts']}, expected {text!r}"
    assert box["caption"] == caption, f"caption {box['caption']!r}"
    assert box["icon"] == icon, f"icon {box['icon']} for {text!r}"
    assert box["owner"] == 0, "the message box has an owner window"
    bench.drive("dialog-press", box["hwnd"])
    bench.wait_gone(box["hwnd"], "the message box")


RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run"


def wine_reg(bench, *args):
    """Runs Wine's reg.exe in the test's prefix; returns (exit code, output).
    It prints in the console code page, GBK here."""
    result = subprocess.run([bench.wine_run, "reg", *args], env=bench.env, capture_output=True,
                            timeout=60)
    return result.returncode, result.stdout.decode("gbk", errors="replace")


def run_value(bench, root):
    """The type and data of the value "Velquin" under `root`'s Run key, or
    None when there is none."""
    code, output = wine_reg(bench, "query", f"{root}\\{RUN_KEY}", "/v", "Velquin")
    if code != 0:
        return None
    for line in output.splitlines():
        parts = line.strip().split("    ")
        if len(parts) == 3 and parts[0] == "Velquin":
            return parts[1], parts[2]
    raise AssertionError(f"no value line in: {output!r}")


def settle_pointer(bench, panel_hwnd):
    """Wine may deliver a test's first click where the pointer stood before
    it was moved. A click into the panel's edit box, repeated until the box
    has the focus, brings the pointer to rest before the clicks that count."""
    edit = [c for c in bench.drive("children", panel_hwnd)["children"] if c["class"] == "Edit"][0]
    for attempt in range(3):
        bench.drive("click", *centre(edit["rect"]))
        try:
            bench.wait_focus(edit["hwnd"], "the panel's edit box", timeout=5)
            return
        except AssertionError:
            continue
    raise AssertionError("three clicks into the panel's edit box did not focus it")
