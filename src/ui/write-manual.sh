#!/bin/sh
# Writes the manual as users' Notepad reads it: GBK, CRLF line ends.
#   write-manual.sh SOURCE.utf8.txt TARGET.txt
set -eu
mkdir -p "$(dirname "$2")"
iconv -f UTF-8 -t GBK "$1" | sed 's/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
