#!/usr/bin/env bash
# The zip that cpack makes, unpacked into a fresh Wine prefix and driven with xdotool as a
# Windows user would: demo.cmd and "Installieren" alone; then both folders typed and the
# question answered. The cards get the Linux program's bytes. The control reader
# reads the controls and where they are, so no position is written here. Run on a display:
#   with_display.sh 96 window_smoke.sh BUILD_DIR CONTROL_READER_EXE CARD_SUMS
set -euo pipefail
build=$1 reader=$2 sums=$3
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
wine_run=$(dirname "$0")/wine-run.sh
work=$(mktemp -d "$build/smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Xvfb refuses an X connection now and then: try each X client up to three times.
retry() { "$@" || { sleep 0.5; "$@"; } || { sleep 1; "$@"; }; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
main='Marquill (200512181907)'

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/package" >/dev/null
(cd "$work" && cmake -E tar xf package/Marquill-*-win32.zip)
app=$(echo "$work"/Marquill-*-win32)
[ -f "$app/README.md" ] || fail "the zip holds no README.md"  # the runs show the rest

# The controls of the window with this title, one line each: class, middle, text.
look_at() {
    retry timeout 30 xdotool search --sync --name "^${1//[()]/.}\$" >/dev/null ||
        fail "no window \"$1\""
    controls=$(retry "$wine_run" "$reader" "$1" | tr -d '\r') || fail "no window \"$1\""
}
# The Nth control of a class ("Edit 2") or the one with that text ("Button Beenden").
control() { awk -F'\t' -v c="$1" -v n="$2" '$1 == c && (++i == n || $3 == n)' <<<"$controls"; }
expect() {  # CLASS N|TEXT FIELD VALUE
    [ "$(control "$1" "$2" | cut -f"$3")" = "$4" ] || { echo "$controls"; fail "$1 $2 not $4"; }
}
click() {
    # shellcheck disable=SC2046 # the middle "x y" is two arguments
    retry xdotool mousemove $(control "$1" "$2" | cut -f2) click 1
    sleep 0.4
}
type_into() {
    click Edit "$1"
    xdotool key End shift+Home Delete
    xdotool type --delay 10 "$2"
}
start_program() {
    (cd "$app" && exec "$wine_run" marquill.exe) >"$work/marquill.log" 2>&1 &
    app_pid=$!
    look_at "$main"
}
await_end() {
    timeout 30 tail --pid="$app_pid" -s 0.2 -f /dev/null || fail "the program did not end $1"
    wait "$app_pid" || fail "the program ended with status $? $1"
}
# The box says this, is the window's own, and is answered with the named button.
answer_box() {
    look_at Marquill
    expect owner 1 2 "$main"
    grep -qF $'\t'"$1" <<<"$controls" || { echo "$controls"; fail "no box saying \"$1\""; }
    click Button "$2"
}
card_holds_the_demo() {
    (cd "$1" && sha256sum --quiet -c "$sums") || fail "the card's files differ from Linux's"
}

"$wine_run" cmd /c "$(windows_path "$app")\\demo.cmd" </dev/null >"$work/demo.log" ||
    { cat "$work/demo.log"; fail "demo.cmd failed"; }
start_program
click Button Installieren
answer_box 'Keine Daten zum Installieren gefunden!\nGefahrenstellen' OK
await_end "after the demo's run"
card_holds_the_demo "$app/demo/SD-Karte"

# That run stored the folders ending in "\", demo.cmd did not. The person's own card has an
# umlaut and a file already on it.
start_program
expect Edit 1 3 "$(windows_path "$app/demo/POI")\\"
expect Edit 2 3 "$(windows_path "$app/demo/SD-Karte")\\"
card="$work/Karte für Wien"
mkdir "$card"
echo "a file the user already had" >"$card/liesmich.txt"
type_into 1 "$(windows_path "$app/demo/POI")"
type_into 2 "$(windows_path "$card")"
xdotool key Tab
click Button Installieren
answer_box 'Im Zielverzeichnis liegen Daten,\nsollen diese überschrieben werden?' '&Ja'
answer_box 'Keine Daten zum Installieren gefunden!\nGefahrenstellen' OK
await_end "after the typed run"
card_holds_the_demo "$card"
