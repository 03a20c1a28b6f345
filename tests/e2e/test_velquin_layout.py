"""The panel as laid out: a borderless 300x650 window "Tovanel" off the
taskbar, centred on the screen, every control at its place with its text,
the logo drawn, and dragged by its background. The screenshot of the panel
and a copy with the layout's rectangles drawn over it are kept as
artifacts."""

import subprocess
import sys

from bench import Bench, config
from velquin import program_folder, require_program, start_velquin, wait_started

WS_POPUP, WS_CAPTION, WS_THICKFRAME = 0x80000000, 0x00C00000, 0x00040000
WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_TOPMOST = 0x80, 0x40000, 0x8
SS_TYPEMASK, SS_BITMAP, SS_ICON = 0x1F, 0xE, 0x3
BS_TYPEMASK, BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_RADIOBUTTON = 0xF, 0x7, 0x9, 0x4

# name, kind, left, top, width, height (client coordinates), text
LAYOUT = [
    ("图片框1", "picture", 25, 11, 50, 50, None),
    ("标签3", "label", 97, 17, 56, 16, "版本：" + config("TOVANEL_E2E_VERSION")),
    ("标签1", "label", 97, 36, 168, 23, "Tovanel"),
    ("按钮_隐藏运行", "button", 186, 7, 60, 20, "隐藏运行"),
    ("按钮1", "button", 255, 7, 35, 20, "关闭"),
    ("分组框1", "group", 10, 62, 280, 40, None),
    ("单选框粘贴", "radio", 10 + 36, 62 + 16, 85, 16, "只是粘贴"),
    ("单选框发送", "radio", 10 + 162, 62 + 16, 85, 16, "一键发送"),
    ("标签2", "label", 10, 108, 280, 20, "左键回复内容，右键弹出菜单。"),
    ("超级列表框1", "list", 10, 129, 280, 421, None),
    ("编辑框1", "edit", 10, 563, 280, 24, None),
    ("超级按钮1", "button", 9, 595, 80, 24, "查看说明书"),
    ("按钮添加", "button", 199, 595, 90, 24, "添加"),
]


def kind_of(control):
    cls, style = control["class"], control["style"]
    if cls == "Static":
        return "picture" if style & SS_TYPEMASK in (SS_BITMAP, SS_ICON) else "label"
    if cls == "Button":
        button = style & BS_TYPEMASK
        if button == BS_GROUPBOX:
            return "group"
        return "radio" if button in (BS_AUTORADIOBUTTON, BS_RADIOBUTTON) else "button"
    return {"SysListView32": "list", "Edit": "edit"}.get(cls, cls)


def check_window(window, screen):
    rect = window["rect"]
    assert (rect[2] - rect[0], rect[3] - rect[1]) == (300, 650), f"size {rect}"
    assert window["title"] == "Tovanel", window["title"]
    assert window["client"] == rect, "the window has a frame or a title bar"
    centred = ((screen[0] - 300) // 2, (screen[1] - 650) // 2)
    assert abs(rect[0] - centred[0]) <= 1 and abs(rect[1] - centred[1]) <= 1, \
        f"at {rect[:2]} on a {screen} screen, not centred at {centred}"
    style, exstyle = window["style"], window["exstyle"]
    assert style & WS_POPUP and not style & (WS_CAPTION | WS_THICKFRAME), hex(style)
    assert exstyle & WS_EX_TOOLWINDOW and not exstyle & WS_EX_APPWINDOW, \
        f"shown in the taskbar: {exstyle:#x}"
    assert not exstyle & WS_EX_TOPMOST, "always on top"


def check_controls(bench, window):
    left, top = window["rect"][:2]
    children = [c for c in bench.drive("children", window["hwnd"])["children"]
                if c["parent"] == window["hwnd"]]
    wrong = []
    for name, kind, x, y, w, h, text in LAYOUT:
        expected = [left + x, top + y, left + x + w, top + y + h]
        matches = [c for c in children if kind_of(c) == kind and c["rect"] == expected
                   and (text is None or c["title"] == text)]
        if len(matches) != 1 or not matches[0]["visible"]:
            near = [(c["class"], c["title"], c["rect"]) for c in children if kind_of(c) == kind]
            wrong.append(f"{name} ({kind} {text or ''} at {x},{y} {w}x{h}); {kind}s: {near}")
    assert not wrong, "layout differs:\n  " + "\n  ".join(wrong)


def colours(image, x, y, w, h):
    out = subprocess.run(["convert", image, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-format", "%k", "info:"], capture_output=True, text=True, timeout=30)
    return int(out.stdout.strip() or 0)


def drawn_panel(bench, rect):
    """A screenshot of the panel once everything is drawn: the decoded logo
    is an image, not a flat area, and every texted control shows something.
    A shown window paints a little later, control by control."""
    shot = bench.screenshot("panel", crop=(rect[0], rect[1], 300, 650))
    assert shot, "no screenshot"
    logo = colours(shot, 25, 11, 50, 50)
    blank = [name for name, _, x, y, w, h, text in LAYOUT if text and colours(shot, x, y, w, h) < 2]
    assert logo >= 8 and not blank, f"logo in {logo} colours; nothing drawn for {blank}"
    return shot


def check_pixels(bench, window):
    shot = bench.wait_until(lambda: drawn_panel(bench, window["rect"]),
                            "the panel drawn, logo and texts", interval=0.5)
    overlay = bench.artifact_path("panel-layout.png")
    draw = []
    for _, _, x, y, w, h, _ in LAYOUT:
        draw += ["-draw", f"rectangle {x},{y} {x + w - 1},{y + h - 1}"]
    subprocess.run(["convert", shot, "-fill", "none", "-stroke", "red", *draw, overlay],
                   timeout=30)


def check_drag(bench, window):
    left, top = window["rect"][:2]
    # Below the bottom buttons there is only background.
    bench.drive("drag", left + 150, top + 640, left + 190, top + 610)
    bench.wait_until(lambda: bench.drive("window", window["hwnd"])["rect"][:2],
                     f"the panel dragged from {left},{top} to {left + 40},{top - 30}",
                     until=lambda at: at == [left + 40, top - 30])


def run(screen, full):
    with Bench(f"velquin_layout_{screen[0]}x{screen[1]}", timeout=90, screen=screen) as bench:
        folder = program_folder(bench, {})
        pid = start_velquin(bench, folder)
        window = wait_started(bench, pid)
        assert window["visible"], "the panel is not visible"
        check_window(window, screen)
        if full:
            check_controls(bench, window)
            check_pixels(bench, window)
            check_drag(bench, window)
        bench.kill(pid)


def require_chinese_font():
    # Without one, Wine draws every Chinese text as boxes and the screenshot
    # shows nothing of the layout's texts.
    fonts = subprocess.run(["fc-list", ":lang=zh"], capture_output=True, text=True).stdout
    assert fonts.strip(), "no font with Chinese glyphs (install fonts-droid-fallback)"


def main():
    require_program()
    require_chinese_font()
    run((1280, 1024), full=True)
    run((1024, 768), full=False)  # centred on another screen size too
    return 0


if __name__ == "__main__":
    sys.exit(main())
