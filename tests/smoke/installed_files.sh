#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program in bin/, its menu entry, icons and
# AppStream data, valid for the desktop's tools, the stand-in compiler off the PATH.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/marquill
    lib/marquill/poicompiler
    share/applications/marquill.desktop
    share/metainfo/de.tarvo.Marquill.metainfo.xml
    share/icons/hicolor/32x32/apps/marquill.png
    share/icons/hicolor/256x256/apps/marquill.png
    share/icons/hicolor/scalable/apps/marquill.svg
)
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -e "$prefix/bin/poicompiler" ] && fail "the stand-in compiler is on the PATH"
installed=$(cd "$prefix" && find . -type f | sort)
unexpected=$(grep -vE '^\./(bin/marquill|lib/marquill/poicompiler|share/(applications|metainfo|icons)/.*)$' <<<"$installed" || true)
[ -z "$unexpected" ] || fail "installed beyond the program: $unexpected"

desktop-file-validate "$prefix/share/applications/marquill.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/de.tarvo.Marquill.metainfo.xml" >/dev/null ||
    fail "AppStream data"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/marquill.desktop")
[ "$(PATH="$prefix/bin:$PATH" $exec_line --version)" = "Marquill 1.0" ] ||
    fail "the entry's Exec line does not start the installed program"
echo "1 passed, 0 failed"
