#!/usr/bin/env bash
# The zip that cpack makes, unpacked into a folder with a blank and an umlaut in a fresh Wine
# prefix, and driven with xdotool as a Windows user would: demo.cmd, then "Installieren" onto a
# card that already holds a file, the question answered. The card gets the Linux program's
# bytes. The control reader reads the controls and where they are, so no position is written
# here. Run on a display:
#   with_display.sh 96 window_smoke.sh BUILD_DIR CONTROL_READER_EXE CARD_SUMS
set -euo pipefail
build=$1 reader=$2 sums=$3
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
wine_run=$(dirname "$0")/wine-run.sh
work=$(mktemp -d "$build/smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/../../scripts/lib/virtual_display.sh"  # for retry
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
main='Marquill (200512181907)'

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/package" >/dev/null
mkdir "$work/Laufwerk für Wien"
(cd "$work/Laufwerk für Wien" && cmake -E tar xf "$work"/package/Marquill-*-win32.zip)
app=$(echo "$work/Laufwerk für Wien"/Marquill-*-win32)
[ -f "$app/README.md" ] || fail "the zip holds no README.md"  # the runs show the rest

# The controls of the window with this title, one line each: class, middle, text.
look_at() {
    retry timeout 30 xdotool search --sync --name "^${1//[()]/.}\$" >/dev/null ||
        fail "no window \"$1\""
    controls=$(retry "$wine_run" "$reader" "$1" | tr -d '\r') || fail "no window \"$1\""
}
# Clicks the middle of the button with this text.
click() {
    # shellcheck disable=SC2046 # the middle "x y" is two arguments
    retry xdotool mousemove $(awk -F'\t' -v b="$1" '$1 == "Button" && $3 == b {print $2}' \
        <<<"$controls") click 1
    sleep 0.4
}
# The box says this, is the window's own, and is answered with the named button.
answer_box() {
    look_at Marquill
    grep -qxF "owner"$'\t'"$main" <<<"$controls" || { echo "$controls"; fail "an ownerless box"; }
    grep -qF $'\t'"$1" <<<"$controls" || { echo "$controls"; fail "no box saying \"$1\""; }
    click "$2"
}

"$wine_run" cmd /c "$(windows_path "$app")\\demo.cmd" </dev/null >"$work/demo.log" ||
    { cat "$work/demo.log"; fail "demo.cmd failed"; }
echo "a file the user already had" >"$app/demo/SD-Karte/liesmich.txt"
(cd "$app" && exec "$wine_run" marquill.exe) >"$work/marquill.log" 2>&1 &
app_pid=$!
look_at "$main"
click Installieren
answer_box 'Im Zielverzeichnis liegen Daten,\nsollen diese überschrieben werden?' '&Ja'
answer_box 'Keine Daten zum Installieren gefunden!\nGefahrenstellen' OK
timeout 30 tail --pid="$app_pid" -s 0.2 -f /dev/null || fail "the program did not end"
wait "$app_pid" || fail "the program ended with status $?"
(cd "$app/demo/SD-Karte" && sha256sum --quiet -c "$sums") ||
    fail "the card's files differ from Linux's"
