#!/usr/bin/env bash
# The main job: builds everything, lays out the program folder dist/, and
# starts the panel beside the stand-in chat client under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
echo "Program folder: $root/dist"
exec bash "$root/scripts/demo.sh"
