#!/usr/bin/env bash
# The main job: builds everything, lays out the program folder dist/ and the
# release packages in release/, and starts the panel beside the stand-in chat
# client under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
echo "Program folder: $root/dist"
echo "Release packages (setup program and portable zip):"
ls -1 "$root"/release/Velquin-* | sed 's/^/  /'
exec bash "$root/scripts/demo.sh"
