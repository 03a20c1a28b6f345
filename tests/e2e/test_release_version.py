"""One version everywhere: the executable's version resource and manifest,
the setup program's version resource and its request to run without
elevation, and the manual's title all read the project's version, as Windows
reads them."""

import os
import sys

from bench import Bench, windows_path
from release import MANUAL, package, version
from velquin import require_program


def four_numbers(text):
    numbers = text.split(".") + ["0"] * 4
    return ".".join(numbers[:4])


def check_program(bench, exe):
    info = bench.drive("version-info", windows_path(exe))
    quad = four_numbers(version())
    assert info["file_version"] == quad, f"Velquin.exe file version {info['file_version']}"
    assert info["product_version"] == quad, f"Velquin.exe product version {info['product_version']}"
    strings = info["strings"]
    for name in ("FileVersion", "ProductVersion"):
        assert strings.get(name) == version(), f"Velquin.exe {name} is {strings.get(name)}"
    for name in ("FileDescription", "ProductName", "CompanyName"):
        assert strings.get(name), f"Velquin.exe has no {name}"
    assert "Copyright" in strings.get("LegalCopyright", ""), "Velquin.exe has no copyright"
    manifest = info["manifest"]
    assert f'name="Tovanel.Velquin" version="{quad}"' in manifest, f"manifest: {manifest[:300]}"


def check_setup(bench, setup):
    info = bench.drive("version-info", windows_path(setup))
    assert info["product_version"] == four_numbers(version()), f"setup version {info}"
    assert info["strings"].get("ProductVersion") == version(), f"setup strings {info['strings']}"
    # A per-user setup must never ask for an administrator.
    assert 'level="asInvoker"' in info["manifest"], f"setup manifest: {info['manifest']}"


def main():
    dist, _ = require_program()
    setup = package("TOVANEL_E2E_SETUP")
    with open(os.path.join(dist, MANUAL), "rb") as manual:
        title = manual.readline().decode("gbk")
    assert f"版本 {version()}" in title, f"manual title {title!r}"
    with Bench("release_version", timeout=60) as bench:
        check_program(bench, os.path.join(dist, "Velquin.exe"))
        check_setup(bench, setup)
    return 0


if __name__ == "__main__":
    sys.exit(main())
