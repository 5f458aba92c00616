#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program in bin/, its menu entry, icons and
# AppStream data, nothing else, the stand-in compiler off the PATH; the entry starts the program.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/marquill lib/marquill/poicompiler share/applications/marquill.desktop \
    share/metainfo/de.tarvo.Marquill.metainfo.xml share/icons/hicolor/scalable/apps/marquill.svg \
    share/icons/hicolor/{32x32,256x256}/apps/marquill.png; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
allowed='^\./(bin/marquill|lib/marquill/poicompiler|share/(applications|metainfo|icons)/.*)$'
unexpected=$(cd "$prefix" && find . -type f | grep -vE "$allowed" || true)
[ -z "$unexpected" ] || fail "installed beyond the program: $unexpected"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/marquill.desktop")
[ "$(PATH="$prefix/bin:$PATH" $exec_line --version)" = "Marquill 1.0" ] ||
    fail "the entry's Exec line does not start the installed program"
echo "1 passed, 0 failed"
