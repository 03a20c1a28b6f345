#!/usr/bin/env bash
# Shows Velquin beside the stand-in chat client under Wine.
#   With DISPLAY set: both come up on that display; the script waits until
#   Velquin is closed, then closes the stand-in.
#   Without DISPLAY: both run on a private Xvfb screen; once the panel is up a
#   screenshot is saved (build/demo/screenshot.png) and everything is stopped.
#   --update-docs also copies that screenshot to docs/screenshot.png.
# Expects a finished build (scripts/build.sh) and the program folder dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${TOVANEL_DIST_DIR:-$root/dist}
tools=$root/build/windows/tools
standin=$tools/chatstandin/chatstandin.exe
driver=$tools/e2edriver/e2edriver.exe
demo=$root/build/demo
update_docs=0
[ "${1:-}" = "--update-docs" ] && update_docs=1

for file in "$dist/Velquin.exe" "$standin" "$driver"; do
  if [ ! -f "$file" ]; then
    echo "demo: $file is missing; run scripts/build.sh first" >&2
    exit 1
  fi
done

# A prefix of its own, so stopping the demo's Wine touches nothing else.
export WINEPREFIX=$demo/wineprefix
mkdir -p "$demo"
wine_run=$root/scripts/wine-run.sh
winpath() { echo "Z:${1//\//\\}"; }

xvfb_pid=
workdir=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$workdir" ] && rm -rf "$workdir"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

drive() { timeout 60 "$wine_run" "$driver" "$@" 2>/dev/null; }

# Managed=N: Wine draws the window frames itself, as there is no window
# manager on Xvfb; on a real display the window manager does.
set_managed() {
  "$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# The stand-in on the left, sized so that the centred panel stands beside it.
start_standin() {
  "$wine_run" "$standin" --rect 60,75,420,650 >/dev/null 2>&1 &
  drive wait-window WeChatMainWndForPC 微信 20000 visible >/dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting the stand-in chat client and Velquin on $DISPLAY"
  set_managed Y
  start_standin
  (cd "$dist" && "$wine_run" ./Velquin.exe) || true
  echo "demo: Velquin ended"
  exit 0
fi

# No display: a private screen, just long enough for a screenshot.
# Xvfb picks a free display number and writes it to fd 3.
rm -f "$demo/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$demo/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.1; done
[ -s "$demo/display" ] || { echo "demo: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '[:space:]' <"$demo/display")
echo "demo: no DISPLAY, using a private Xvfb screen $DISPLAY"

# A copy of the program folder, so the demo leaves dist/ as it was.
workdir=$(mktemp -d)
cp -r "$dist" "$workdir/Velquin"
set_managed N
start_standin
"$wine_run" "$workdir/Velquin/Velquin.exe" >/dev/null 2>&1 &
if ! drive wait-window TovanelMainWindow Tovanel 30000 visible | grep -q '"visible":true'; then
  echo "demo: the panel did not become visible (hidden by its settings?)" >&2
fi
sleep 1  # let both windows finish painting
screenshot=$demo/screenshot.png
import -display "$DISPLAY" -window root -crop 770x690+40+55 +repage "$screenshot"
echo "demo: screenshot of the panel beside the stand-in chat client: $screenshot"
if [ "$update_docs" = 1 ]; then
  mkdir -p "$root/docs"
  cp "$screenshot" "$root/docs/screenshot.png"
  echo "demo: copied to $root/docs/screenshot.png"
fi
