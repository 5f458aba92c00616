#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program in bin/, its menu entry, icons and
# AppStream data, nothing else, the stand-in compiler off the PATH; the entry starts the program.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
cd "$prefix"
ls bin/marquill lib/marquill/poicompiler share/applications/marquill.desktop \
    share/metainfo/de.tarvo.Marquill.metainfo.xml share/icons/hicolor/scalable/apps/marquill.svg \
    share/icons/hicolor/{32x32,256x256}/apps/marquill.png >/dev/null
allowed='^\./(bin/marquill|lib/marquill/poicompiler|share/(applications|metainfo|icons)/.*)$'
find . -type f | grep -vE "$allowed" && fail "installed beyond the program"
exec_line=$(sed -n 's/^Exec=//p' share/applications/marquill.desktop)
[ "$(PATH="$prefix/bin:$PATH" $exec_line --version)" = "Marquill 1.0" ] ||
    fail "the entry's Exec line does not start the installed program"
echo "1 passed, 0 failed"
