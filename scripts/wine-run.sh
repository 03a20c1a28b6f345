#!/usr/bin/env bash
# Runs a cross-built program under Wine in a private prefix inside the build
# folder, so tests never touch the user's own Wine setup.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${TOVANEL_WINE_BUILD:-$here/../build/windows}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine picks the ANSI code page from the locale: zh_CN gives 936 (GBK).
export LANG=${TOVANEL_WINE_LANG:-zh_CN.UTF-8}
export LC_ALL=$LANG
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
exec wine "$@"
