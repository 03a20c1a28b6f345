#!/bin/sh
# Writes the manual as users' Notepad reads it: GBK, CRLF line ends, with the
# program's version in place of @VERSION@.
#   write-manual.sh SOURCE.utf8.txt TARGET.txt VERSION
set -eu
mkdir -p "$(dirname "$2")"
sed "s/@VERSION@/$3/g" "$1" | iconv -f UTF-8 -t GBK | sed 's/$/\r/' >"$2.tmp"
mv "$2.tmp" "$2"
