"""The portable zip: named by the version, one top folder holding the program
folder as dist/ has it, Chinese names readable by Windows' own unpacker, and
once unpacked anywhere the program starts and shows its list."""

import os
import sys
import zipfile

from automation import start_chat, wait_docked
from bench import Bench
from release import PROGRAM_FILES, TABLES, assert_same_files, package, version
from replies import content_records, reply_list, wait_rows
from velquin import end_velquin, require_program, start_velquin, wait_started

TOP = "Velquin"
UTF8_NAMES = 0x800  # the zip flag that tells unpackers the names are UTF-8


def check_contents(zip_path):
    assert os.path.basename(zip_path) == f"Velquin-{version()}.zip", f"zip name {zip_path}"
    with zipfile.ZipFile(zip_path) as archive:
        entries = {info.filename: info for info in archive.infolist()}
    expected = {f"{TOP}/", f"{TOP}/fi/"} | {f"{TOP}/{name}" for name in PROGRAM_FILES + TABLES}
    assert set(entries) == expected, f"zip entries {sorted(entries)}"
    for name, info in entries.items():
        if not name.isascii():
            assert info.flag_bits & UTF8_NAMES, f"{name} is stored without the UTF-8 flag"


def unpack(bench, zip_path):
    """Unpacks into a folder whose path has a space and Chinese characters."""
    target = bench.temp_dir("下载 的文件")
    with zipfile.ZipFile(zip_path) as archive:
        archive.extractall(target)
    return os.path.join(target, TOP)


def main():
    dist, _ = require_program()
    zip_path = package("TOVANEL_E2E_ZIP")
    check_contents(zip_path)
    with Bench("portable_zip", timeout=120) as bench:
        folder = unpack(bench, zip_path)
        assert_same_files(PROGRAM_FILES + TABLES, folder, dist, "unpacked zip")
        assert os.path.isdir(os.path.join(folder, "fi")), "the zip has no folder fi"
        # The shipped settings follow the chat client: the panel shows beside it.
        chat = start_chat(bench, (40, 60, 600, 500))
        pid = start_velquin(bench, folder)
        window = wait_started(bench, pid)
        bench.drive("activate", chat["hwnd"])
        wait_docked(bench, window["hwnd"], chat["hwnd"])
        wait_rows(bench, reply_list(bench, window["hwnd"]), content_records(folder))
        bench.screenshot("unpacked", crop=(window["rect"][0], window["rect"][1], 300, 650))
        end_velquin(bench, pid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
