"""Helpers for the tests of the release packages: a fresh Wine prefix, the
setup program and its uninstaller, the registry as `wine reg` reads it, and
the program folder's files compared byte for byte."""

import glob
import hashlib
import os
import re
import shutil
import subprocess

from bench import BenchError, config, skip, windows_path

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velquin"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "Velquin"
UNINSTALLER = "卸载.exe"
MANUAL = "使用说明.txt"
TABLES = ("设置.RTB", "内容.RTB", "内容.RTL")
PROGRAM_FILES = ("Velquin.exe", MANUAL)
# A setup run, unpacking and all, under Wine on a busy machine.
SETUP_TIMEOUT = 120.0
# Wine's own folders hold the bulk of a prefix and nothing here writes to
# them: a fresh prefix links them instead of copying hundreds of megabytes.
SHARED_PREFIX_FOLDERS = ("drive_c/windows/system32", "drive_c/windows/syswow64")


def version():
    return config("TOVANEL_E2E_VERSION")


def package(variable):
    """The path of a release package; skips the test while it is not built."""
    path = config(variable)
    if not os.path.isfile(path):
        skip(f"{path} is not built yet")
    return path


def fresh_prefix():
    """A Wine prefix in which nothing was ever installed: a copy of a prefix
    that was only booted, made once (scripts/test.sh makes it beforehand).
    Points the bench at it and returns its path."""
    template = config("TOVANEL_E2E_FRESH_TEMPLATE")
    if not os.path.isfile(os.path.join(template, "system.reg")):
        subprocess.run([config("TOVANEL_E2E_WINE_RUN"), "cmd", "/c", "exit", "0"],
                       env=dict(os.environ, WINEPREFIX=template), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=240)
        subprocess.run(["wineserver", "-w"], env=dict(os.environ, WINEPREFIX=template),
                       timeout=60)
    prefix = template.rstrip("/") + "-fresh"
    shutil.rmtree(prefix, ignore_errors=True)
    _copy_prefix(template, prefix)
    os.environ["TOVANEL_E2E_PREFIX"] = prefix
    return prefix


def _copy_prefix(source, target):
    def copy(src, dst):
        relative = os.path.relpath(src, source)
        if any(relative.startswith(folder + "/") for folder in SHARED_PREFIX_FOLDERS):
            os.link(src, dst)
        else:
            shutil.copy2(src, dst)
    shutil.copytree(source, target, symlinks=True, copy_function=copy)


def wine_user_folder(prefix):
    users = [p for p in glob.glob(os.path.join(prefix, "drive_c", "users", "*"))
             if os.path.basename(p) != "Public" and not os.path.islink(p)]
    if len(users) != 1:
        raise BenchError(f"expected one user folder in {prefix}, found {users}")
    return users[0]


class Installation:
    """Where the setup program puts things in a prefix, seen from Linux."""

    def __init__(self, prefix):
        user = wine_user_folder(prefix)
        self.folder = os.path.join(user, "AppData", "Local", "Programs", "Velquin")
        self.shortcut = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows",
                                     "Start Menu", "Programs", "Velquin.lnk")
        self.windows_folder = (
            "C:\\users\\" + os.path.basename(user) + "\\AppData\\Local\\Programs\\Velquin")

    def path(self, *names):
        return os.path.join(self.folder, *names)

    def windows_path(self, name):
        return self.windows_folder + "\\" + name


# ----- running the packages -----

def run_setup(bench, setup, *args):
    """Runs the setup program to its end; returns its exit code."""
    pid = bench.drive("start", windows_path(setup), "-", *args)["pid"]
    return bench.wait_exit(pid, f"setup {' '.join(args)}", timeout=SETUP_TIMEOUT)


def install_silently(bench, setup):
    code = run_setup(bench, setup, "/S")
    assert code == 0, f"a silent setup ended with code {code}"


def run_uninstaller(bench, install, *args):
    """Starts the uninstaller as Windows does, from the entry's command. It
    hands over to a copy of itself in the temporary folder and ends at once,
    so the caller waits for the state it expects."""
    entry = reg_query(bench, UNINSTALL_KEY)
    assert entry, f"no uninstall entry {UNINSTALL_KEY}"
    command = entry["UninstallString"][1]
    assert command == f'"{install.windows_path(UNINSTALLER)}"', f"UninstallString is {command}"
    bench.drive("start", install.windows_path(UNINSTALLER), "-", *args)


# ----- the registry, through Wine's own reg.exe -----

def _reg(bench, *args):
    return subprocess.run([bench.wine_run, "reg", *args], env=bench.env, capture_output=True,
                          timeout=60)


def reg_query(bench, key):
    """The values of a key as {name: (type, data)}; None when the key is missing."""
    result = _reg(bench, "query", key)
    if result.returncode != 0:
        return None
    # reg.exe writes in the console code page, GBK under zh_CN.
    values = {}
    for line in result.stdout.decode("gbk", errors="replace").splitlines():
        match = re.match(r"^\s+(.*?)\s+(REG_\w+)\s+(.*?)\s*$", line)
        if match:
            values[match.group(1)] = (match.group(2), match.group(3))
    return values


def reg_set(bench, key, name, data):
    result = _reg(bench, "add", key, "/v", name, "/t", "REG_SZ", "/d", data, "/f")
    assert result.returncode == 0, f"reg add {key} {name} failed"


# ----- files -----

def digest(path):
    with open(path, "rb") as stream:
        return hashlib.sha256(stream.read()).hexdigest()


def tree_digests(root):
    """{relative path: sha256} of every file below root; folders as None."""
    found = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs:
            found[os.path.relpath(os.path.join(folder, name), root)] = None
        for name in files:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = digest(path)
    return found


def assert_same_files(names, folder, reference, what):
    for name in names:
        actual = os.path.join(folder, name)
        assert os.path.isfile(actual), f"{what}: {name} is missing"
        assert digest(actual) == digest(os.path.join(reference, name)), \
            f"{what}: {name} differs from the program folder's"
