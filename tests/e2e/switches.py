"""Helpers for the tests of the switches: the tray menu opened by a right
click on the tray icon in Wine's tray window, and waiting for the settings
table to hold a value."""

from replies import choose_menu_item
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
    """Right-clicks Velquin's tray icon and clicks item `index` of the menu."""
    bench.drive("click", *centre(tray_icon(bench)["rect"]), "right")
    choose_menu_item(bench, main_hwnd, index)


def wait_setting(bench, folder, field, value):
    """Waits until the settings table's one record holds `value` in `field`;
    returns the record's five fields."""
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
