#!/usr/bin/env bash
# The portable build as a Windows user meets it, under Wine on a virtual display, driven with
# xdotool: the zip that cpack makes, unpacked into a fresh prefix. The first start shows both
# folders unknown; demo.cmd and "Installieren" put the demo on its card; then a person types
# both folders, leaves the field, clicks "Installieren" and answers the boxes. The cards get
# the bytes the Linux program writes, Windows' registry holds the folders, the next start shows
# them. A small inspector reads the controls as another program (a screen reader) would, and
# tells where they are on the screen, so no position is written here.
#   window_smoke.sh BUILD_DIR INSPECTOR_EXE CARD_SUMS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 inspector=$2 sums=$3
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
export WINE_RUN=$here/wine-run.sh
. "$here/display.sh"

work=$(mktemp -d "$build/smoke.XXXXXX")  # in the build folder: a prefix takes 600 MB
export WINEPREFIX=$work/prefix
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    stop_display
    rm -rf "$work" "$work.lock"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Xvfb refuses an X connection now and then: try each X client up to three times.
retry() { "$@" || { sleep 0.5; "$@"; } || { sleep 1; "$@"; }; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
tab=$'\t'

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/package" >/dev/null
(cd "$work" && cmake -E tar xf package/Marquill-*-win32.zip)
app=$(echo "$work"/Marquill-*-win32)
for file in marquill.exe README.md demo.cmd demo/NavMan/poicompiler.exe demo/POI/MARQUILL.CSV; do
    [ -f "$app/$file" ] || fail "the zip holds no $file"
done

start_display
prepare_prefix 96

start_program() {
    (cd "$app" && exec "$WINE_RUN" marquill.exe) >"$work/marquill.log" 2>&1 &
    app_pid=$!
    retry timeout 30 xdotool search --sync --name '^Marquill \(200512181907\)$' >/dev/null ||
        fail "the window did not appear"
}

await_end() {
    for _ in $(seq 150); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end $1"
    wait "$app_pid" || fail "the program ended with status $? $1"
    app_pid=""
}

# The controls of the window with this title, one line each: class, enabled, visible, where
# its middle is on the screen, text.
controls=""
look_at() {
    controls=$(retry "$WINE_RUN" "$inspector" "$1" | tr -d '\r') || fail "no window \"$1\""
}
field() { awk -F'\t' -v n="$1" '$1 == "Edit" && ++i == n' <<<"$controls"; }
button() { awk -F'\t' -v t="$1" '$1 == "Button" && $5 == t' <<<"$controls"; }
navman_label() { awk -F'\t' '$1 == "Static" && ++i == 2' <<<"$controls" | cut -f5; }
text_of() { cut -f5 <<<"$1"; }
state_of() { cut -f2 <<<"$1"; }
click_on() {
    local at
    at=$(cut -f4 <<<"$1" | tr , ' ')
    [ -n "$at" ] || fail "nothing to click on"
    retry xdotool mousemove $at click 1
    sleep 0.4
}
type_into() {
    click_on "$(field "$1")"
    xdotool key End shift+Home Delete
    xdotool type --delay 10 "$2"
}
expect() { [ "$2" = "$3" ] || { echo "$controls"; fail "$1: \"$2\", expected \"$3\""; }; }

# Each box of a run: its text and buttons as expected, owned by the window; the named button
# clicked.
answer_box() {
    retry timeout 30 xdotool search --sync --name '^Marquill$' >/dev/null || fail "no box: $1"
    look_at Marquill
    grep -qxF "owner${tab}Marquill (200512181907)" <<<"$controls" || fail "the box is not the window's"
    grep -qF "${tab}$1" <<<"$controls" || { echo "$controls"; fail "no box saying \"$1\""; }
    click_on "$(button "$2")"
}

card_holds_the_demo() {
    (cd "$1" && sha256sum --quiet -c "$sums") || fail "the card's files differ from Linux's"
    local count
    count=$(find "$1" -type f \( -name '*.ini' -o -name '*.chk' -o -name '*.map' -o -name '*.bm' \) | wc -l)
    [ "$count" -eq "$(wc -l <"$sums")" ] || fail "$count files on the card"
}

stored() {
    "$WINE_RUN" reg query 'HKLM\SOFTWARE\Tarvo\Marquill' /v "$1" </dev/null | iconv -f CP850 |
        tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p"
}

# First start: nothing stored.
start_program
look_at 'Marquill (200512181907)'
expect "txt_poi" "$(text_of "$(field 1)")" "unbekannt!"
expect "txt_sd" "$(text_of "$(field 2)")" "unbekannt!"
expect "Installieren" "$(state_of "$(button Installieren)")" disabled
expect "NavMan" "$(navman_label)" ""
click_on "$(field 1)"
xdotool keydown alt key F4 keyup alt
await_end "on Alt+F4"
expect "Path_POI after Alt+F4" "$(stored Path_POI)" "unbekannt!"

# demo.cmd, then "Installieren" alone.
"$WINE_RUN" cmd /c "$(windows_path "$app")\\demo.cmd" </dev/null >"$work/demo.log" ||
    { cat "$work/demo.log"; fail "demo.cmd failed"; }
start_program
look_at 'Marquill (200512181907)'
expect "NavMan" "$(navman_label)" "$(windows_path "$app/demo/NavMan")"
click_on "$(button Installieren)"
answer_box 'Keine Daten zum Installieren gefunden!\nGefahrenstellen' OK
await_end "after the demo's run"
card_holds_the_demo "$app/demo/SD-Karte"

# A person types both folders, the card's with an umlaut and a file already on it, the POI
# folder first without its install list.
card="$work/Karte für Wien"
mkdir "$card"
echo "a file the user already had" >"$card/liesmich.txt"
start_program
look_at 'Marquill (200512181907)'
type_into 1 "$(windows_path "$app/demo")"
type_into 2 "$(windows_path "$card")"
xdotool key Tab
sleep 0.4
look_at 'Marquill (200512181907)'
expect "Installieren after Tab" "$(state_of "$(button Installieren)")" enabled
click_on "$(button Installieren)"
answer_box 'Konfugurationsdatei nicht gefunden!' OK
look_at 'Marquill (200512181907)'
type_into 1 "$(windows_path "$app/demo/POI")"
click_on "$(button Installieren)"
answer_box 'Im Zielverzeichnis liegen Daten,\nsollen diese überschrieben werden?' '&Ja'
answer_box 'Keine Daten zum Installieren gefunden!\nGefahrenstellen' OK
await_end "after the typed run"
card_holds_the_demo "$card"
expect "Path_POI" "$(stored Path_POI)" "$(windows_path "$app/demo/POI")\\"
expect "Path_SD" "$(stored Path_SD)" "$(windows_path "$card")\\"

# The next start shows them.
start_program
look_at 'Marquill (200512181907)'
expect "txt_poi at the next start" "$(text_of "$(field 1)")" "$(windows_path "$app/demo/POI")\\"
expect "txt_sd at the next start" "$(text_of "$(field 2)")" "$(windows_path "$card")\\"
click_on "$(button Beenden)"
await_end "on Beenden"
echo "1 passed, 0 failed"
