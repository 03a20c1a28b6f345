"""Packs the program folder into the portable zip: one top folder holding the
given files and the empty folders, as the program folder has them.

    make_zip.py OUTPUT TOP_FOLDER DIST [--empty-dir NAME]... FILE...

Names are stored as UTF-8 with the zip's UTF-8 flag set, so that Windows'
own "Extract all" shows the Chinese file names rather than mojibake."""

import argparse
import os
import sys
import zipfile


def directory_entry(name):
    entry = zipfile.ZipInfo(name + "/")
    entry.external_attr = 0o40755 << 16 | 0x10  # a directory for Unix and for DOS
    return entry


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("top")
    parser.add_argument("dist")
    parser.add_argument("--empty-dir", action="append", default=[])
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()

    missing = [f for f in args.files if not os.path.isfile(os.path.join(args.dist, f))]
    if missing:
        print(f"make_zip: {args.dist} lacks {', '.join(missing)}: build the program "
              "folder first (scripts/build.sh)", file=sys.stderr)
        return 1

    temporary = args.output + ".tmp"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        archive.writestr(directory_entry(args.top), b"")
        for name in args.files:
            archive.write(os.path.join(args.dist, name), f"{args.top}/{name}")
        for name in args.empty_dir:
            archive.writestr(directory_entry(f"{args.top}/{name}"), b"")
    os.replace(temporary, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
