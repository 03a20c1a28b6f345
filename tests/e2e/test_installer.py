"""The setup program as a user meets it, in a fresh Wine prefix: a silent
install (files, Start-menu shortcut, uninstall entry), the program started
from its shortcut showing its replies, docking to the chat client and pasting
a reply into it, upgrades over a running copy that keep every reply,
attachment and setting byte for byte, and the two uninstalls: the default one
that keeps the user's data, and the one that removes it too."""

import os
import shutil
import subprocess
import sys

from automation import click_row, logged, read_log, start_chat, wait_docked, wait_log
from bench import Bench, windows_path
from release import (MANUAL, PROGRAM_FILES, RUN_KEY, RUN_VALUE, TABLES, UNINSTALL_KEY,
                     UNINSTALLER, Installation, assert_same_files, digest, fresh_prefix,
                     install_silently, package, reg_query, reg_set, run_setup,
                     run_uninstaller, tree_digests, version)
from replies import content_records, reply_list, wait_rows
from velquin import (MAIN_CLASS, MAIN_CAPTION, PASSWORD, require_program, rtbtool,
                     start_velquin, wait_started, write_settings)

ATTACHMENT = "报价单 2024.pdf"


def check_installed(bench, install, dist):
    assert_same_files(PROGRAM_FILES + TABLES, install.folder, dist, "install")
    assert os.path.isdir(install.path("fi")), "install: no attachment folder fi"
    assert os.path.isfile(install.path(UNINSTALLER)), f"install: no {UNINSTALLER}"
    assert not os.path.exists(install.path("Velquin.exe.new")), "install: a .new file is left"

    assert os.path.isfile(install.shortcut), f"install: no Start-menu shortcut {install.shortcut}"
    with open(install.shortcut, "rb") as link:
        shortcut = link.read()
    target = install.windows_path("Velquin.exe")
    assert target.encode("utf-16-le") in shortcut or target.encode("gbk") in shortcut, \
        f"install: the shortcut does not name {target}"

    entry = reg_query(bench, UNINSTALL_KEY)
    assert entry, f"install: no uninstall entry {UNINSTALL_KEY}"
    expected = {
        "DisplayName": "Velquin",
        "DisplayVersion": version(),
        "Publisher": "Tovanel",
        "DisplayIcon": install.windows_path("Velquin.exe") + ",0",
        "InstallLocation": install.windows_folder,
        "UninstallString": f'"{install.windows_path(UNINSTALLER)}"',
    }
    for name, data in expected.items():
        assert entry.get(name, (None, None))[1] == data, f"install: {name} is {entry.get(name)}"
    kind, size = entry["EstimatedSize"]
    assert kind == "REG_DWORD" and int(size, 16) > 0, f"install: EstimatedSize is {size}"


def start_from_shortcut(bench, install):
    """Opens the Start-menu shortcut as Explorer would; returns the panel
    that comes up, once it shows the replies of its tables."""
    subprocess.run([bench.wine_run, "start", "/unix", install.shortcut], env=bench.env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60)
    found = bench.wait_window(MAIN_CLASS, MAIN_CAPTION)
    panel = wait_started(bench, found["pid"])
    wait_rows(bench, reply_list(bench, panel["hwnd"]), content_records(install.folder))
    # Hold the process so its exit code stays readable once it has ended.
    bench.drive("wait", panel["pid"], 0)
    return panel


def check_docks_and_pastes(bench, install, panel, chat, log):
    """The installed program, with its shipped settings, follows the chat
    client: it docks to its right edge, and a click on its first reply
    pastes that reply into the chat client's input box."""
    bench.drive("activate", chat["hwnd"])
    wait_docked(bench, panel["hwnd"], chat["hwnd"])
    click_row(bench, reply_list(bench, panel["hwnd"]), 0)
    first = content_records(install.folder)[0][1]
    assert wait_log(bench, log, 1)[0] == ("paste-text", logged(first)), read_log(log)


def add_user_data(install):
    """What a user adds in the installed program: a reply, an attachment and
    changed settings."""
    rtbtool("add", install.path("内容.RTB"), "--password", PASSWORD,
            "快捷键=F5", "内容=新版本也要留着这条回复：" + "长" * 300)
    with open(install.path("fi", ATTACHMENT), "wb") as attachment:
        attachment.write(os.urandom(40_000))
    write_settings(install.folder, {"粘贴或发送": True, "托盘图标": True, "跟随微信": True})


def user_data(install):
    data = {name: digest(install.path(name)) for name in TABLES}
    data.update({"fi/" + k: v for k, v in tree_digests(install.path("fi")).items()})
    return data


def assert_user_data_kept(install, before, when):
    after = user_data(install) if os.path.isdir(install.folder) else {}
    for name, value in before.items():
        assert after.get(name) == value, f"{when}: {name} was changed or removed"


def make_manual_stale(install):
    """An older version's manual that the user never opened: other text,
    but the write time setup recorded when it put the file there."""
    path = install.path(MANUAL)
    times = os.stat(path)
    with open(path, "ab") as manual:
        manual.write("旧版本的说明。\r\n".encode("gbk"))
    os.utime(path, ns=(times.st_atime_ns, times.st_mtime_ns))


def edit_manual(install):
    with open(install.path(MANUAL), "ab") as manual:
        manual.write("我自己的备注：周末不发报价。\r\n".encode("gbk"))
    return digest(install.path(MANUAL))


def check_held_program_kept_whole(bench, install, setup):
    """Something setup cannot close (another user's copy, a virus scanner)
    holds Velquin.exe: a silent setup stops with an error before it changes
    anything, and the old program stays whole."""
    exe = install.path("Velquin.exe")
    with open(exe, "ab") as program:
        program.write(b"an older build")
    before = tree_digests(install.folder)
    bench.drive("hold-file", install.windows_path("Velquin.exe"))
    code = run_setup(bench, setup, "/S")
    bench.drive("release-file", install.windows_path("Velquin.exe"))
    assert code != 0, "held program: setup reported success"
    assert tree_digests(install.folder) == before, "held program: the folder was changed"


def check_upgrades(bench, install, setup, dist, chat, log):
    panel = start_from_shortcut(bench, install)
    check_docks_and_pastes(bench, install, panel, chat, log)
    add_user_data(install)
    make_manual_stale(install)
    kept = user_data(install)

    # Over a running copy: setup closes it as its 关闭 button would.
    install_silently(bench, setup)
    code = bench.wait_exit(panel["pid"], "the running copy")
    assert code == 0, f"upgrade: the running copy ended with code {code}"
    assert_same_files(PROGRAM_FILES, install.folder, dist, "upgrade")
    assert not os.path.exists(install.path("Velquin.exe.new")), "upgrade: a .new file is left"
    assert_user_data_kept(install, kept, "upgrade")

    edited = edit_manual(install)
    install_silently(bench, setup)
    assert digest(install.path(MANUAL)) == edited, "upgrade: the edited manual was replaced"
    assert_user_data_kept(install, kept, "second upgrade")
    return kept, edited


def check_uninstall_keeps_data(bench, install, kept, edited_manual):
    # The value as the program's "开机启动" writes it when the machine-wide
    # key is not writable.
    reg_set(bench, RUN_KEY, RUN_VALUE, f'"{install.windows_path("Velquin.exe")}"')
    # Started through Wine's other name for the folder: setup still knows it.
    pid = start_velquin(bench, install.folder)
    wait_started(bench, pid)
    run_uninstaller(bench, install, "/S")

    def left_over():
        files = [n for n in ("Velquin.exe", UNINSTALLER) if os.path.exists(install.path(n))]
        return {"files": files, "entry": reg_query(bench, UNINSTALL_KEY) is not None}
    bench.wait_until(left_over, "the uninstaller to remove the program and its entry",
                     timeout=60, until=lambda left: left == {"files": [], "entry": False})
    bench.wait_exit(pid, "the copy the uninstaller closes")
    assert not os.path.exists(install.shortcut), "uninstall: the shortcut is left"
    run = reg_query(bench, RUN_KEY) or {}
    assert RUN_VALUE not in run, f"uninstall: the Run value is left: {run.get(RUN_VALUE)}"
    assert_user_data_kept(install, kept, "uninstall")
    assert digest(install.path(MANUAL)) == edited_manual, "uninstall: the edited manual is gone"


def check_remove_everything(bench, install, setup, kept):
    # Installing again finds the kept data and uses it.
    install_silently(bench, setup)
    assert_user_data_kept(install, kept, "install over kept data")
    # A portable copy elsewhere owns the Run value: it stays.
    portable = '"D:\\便携\\Velquin\\Velquin.exe"'
    reg_set(bench, RUN_KEY, RUN_VALUE, portable)
    run_uninstaller(bench, install, "/S", "/REMOVEDATA")

    bench.wait_until(
        lambda: sorted(tree_digests(install.folder)) if os.path.isdir(install.folder) else None,
        "uninstall /REMOVEDATA to remove the whole folder", timeout=60,
        until=lambda left: left is None)
    assert reg_query(bench, UNINSTALL_KEY) is None, "remove everything: the entry is left"
    run = reg_query(bench, RUN_KEY) or {}
    assert run.get(RUN_VALUE, (None, None))[1] == portable, \
        f"remove everything: another copy's Run value was touched: {run.get(RUN_VALUE)}"


def main():
    dist, _ = require_program()
    setup = package("TOVANEL_E2E_SETUP")
    prefix = fresh_prefix()
    with Bench("installer", timeout=400) as bench:
        install = Installation(prefix)
        assert not os.path.exists(install.folder), "the fresh prefix has Velquin already"
        install_silently(bench, setup)
        check_installed(bench, install, dist)
        check_held_program_kept_whole(bench, install, setup)
        log = os.path.join(bench.temp_dir("chat"), "log.txt")
        chat = start_chat(bench, (40, 60, 600, 500), log)
        kept, edited_manual = check_upgrades(bench, install, setup, dist, chat, log)
        check_uninstall_keeps_data(bench, install, kept, edited_manual)
        check_remove_everything(bench, install, setup, kept)
    # A failed run leaves the prefix for a look; a passed one tidies up.
    shutil.rmtree(prefix, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
