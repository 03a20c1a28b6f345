#!/usr/bin/env bash
# The main job: builds everything and lays out the program folder dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
echo "Program folder: $root/dist"
