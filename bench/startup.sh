#!/usr/bin/env bash
# Start-up of Velquin.exe against a bare Win32 window of the same size, under
# Wine on a private Xvfb: the time from process start to the panel visible
# with 100 replies listed, and the private memory at that moment, as medians
# over alternating rounds and as ratios. Usage: bash bench/startup.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-9}
rows=100
native=$root/build/native
windows=$root/build/windows
cmake --build "$native" --target rtbtool >/dev/null
cmake --build "$windows" --target Velquin bare_window startup_bench >/dev/null
rtbtool=$native/tools/rtbtool/rtbtool

work=$(mktemp -d /tmp/tovanel-startup-XXXXXX)
xvfb_pid=
export TOVANEL_WINE_BUILD=$windows
export WINEPREFIX=$windows/bench-wineprefix
cleanup() {
  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program folder: dist/ with every setting off (the panel shows and
# stands still) and 100 text replies.
folder=$work/Velquin
cp -r "$root/dist" "$folder"
pw=(--password 240513)
rm -f "$folder/设置.RTB" "$folder/内容.RTB" "$folder/内容.RTL"
"$rtbtool" create "$folder/设置.RTB" "${pw[@]}" 粘贴或发送:logical 托盘图标:logical \
  隐藏运行:logical 跟随微信:logical 开机启动:logical
"$rtbtool" add "$folder/设置.RTB" "${pw[@]}" 粘贴或发送=false 托盘图标=false 隐藏运行=false \
  跟随微信=false 开机启动=false
"$rtbtool" create "$folder/内容.RTB" "${pw[@]}" 快捷键:text:8 内容:longtext
for i in $(seq 1 $rows); do
  key=""
  [ "$i" -le 12 ] && key="F$i"
  "$rtbtool" add "$folder/内容.RTB" "${pw[@]}" "快捷键=$key" "内容=第${i}条回复：您好，请问有什么可以帮您？"
done
cp "$windows/bench/startup/bare_window.exe" "$folder/"

# A display of its own; Xvfb prints its number once it listens.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 30 display <&"$fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display

winpath() { echo "Z:${1//\//\\}"; }
bash "$root/scripts/wine-run.sh" "$windows/bench/startup/startup_bench.exe" \
  "$(winpath "$folder/Velquin.exe")" "$(winpath "$folder/bare_window.exe")" "$rows" "$rounds"
