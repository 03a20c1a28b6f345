#!/usr/bin/env bash
# Installs whatever the build and the tests need. Idempotent, and quick when
# everything is already there. Run as root on Debian 12.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake g++ make clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev libsqlite3-dev
  libpng-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb xdotool x11-utils imagemagick locales dpkg-dev fonts-wqy-microhei fonts-droid-fallback
  python3 python3-xlib
  nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives GBK (936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# Debian has no mingw libpng: cross-build it from Debian's own source package.
if [ -x "$here/build-libpng-mingw.sh" ]; then
  "$here/build-libpng-mingw.sh"
fi
