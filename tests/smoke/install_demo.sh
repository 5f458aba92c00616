#!/usr/bin/env bash
# Drives the real program in a virtual X display as a person would. First the demo: type both
# folders, leave the field, click "Installieren", answer the boxes; then look at the card and
# the settings. Then a logout: type a folder and let the system end the program with SIGTERM;
# the folder must be stored as by the close box.
set -euo pipefail
marquill=$1 navman=$2 demo=$3 card_sums=$4

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d) xvfb_pid="" app_pid=""
cleanup() { kill $app_pid $xvfb_pid 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Xvfb refuses an X connection now and then: try each X client up to three times.
retry() { "$@" || { sleep 0.5; "$@"; } || { sleep 1; "$@"; }; }

export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache HOME=$work
hive=$XDG_CONFIG_HOME/marquill/registry.reg
mkdir -p "$XDG_CONFIG_HOME/marquill" "$work/card"
echo "a file the user already had" >"$work/card/readme.txt"
cat >"$hive" <<HIVE
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{17C4BEEA-D6E8-4975-B2CC-53F6F5CE9959}]
"InstallLocation"="$navman"
HIVE

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 display <&5 || fail "Xvfb did not start"
export DISPLAY=:$display
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_SCALE_FACTOR

start_program() {
    "$marquill" >"$work/marquill.log" 2>&1 &
    app_pid=$!
    window=$(retry timeout 20 xdotool search --sync --name '^Marquill \(200512181907\)$' |
        head -n 1)
    [ -n "$window" ] || fail "the window did not appear"
}

await_end() {
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end: $1"
    wait "$app_pid" || fail "the program ended with status $?: $1"
    app_pid=""
}

# Control positions in pixels, from the window's layout.
click() { retry xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
type_into_field() {
    click "$1" "$2"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 5 "$3"
}
poi_field=(300 65) sd_field=(300 97) install_button=(332 228)

start_program
type_into_field "${poi_field[@]}" "$demo"
type_into_field "${sd_field[@]}" "$work/card"
xdotool key Tab
sleep 0.5
click "${install_button[@]}"

# Answer each box with its default button: "Ja" to the overwrite question, "OK" to the
# message about the demo's category without data.
for box in question missing-data; do
    box_window=$(retry timeout 20 xdotool search --sync --name '^Marquill$' | head -n 1) ||
        fail "no $box box"
    xdotool windowfocus --sync "$box_window" 2>/dev/null || true
    sleep 0.3
    xdotool key --window "$box_window" Return
    xdotool key Return 2>/dev/null || true
    sleep 0.5
done
await_end "after the run"

count=$(ls "$work/card" | grep -cE '\.(ini|chk|map|bm)$' || true)
[ "$count" -eq 20 ] || fail "expected 20 category files on the card, found $count"
grep -q '^visualWarning=0' "$work/card/BLITZ.ini" || fail "BLITZ.ini is not as expected"
# The Windows build's smoke test holds its card against the same bytes.
(cd "$work/card" && sha256sum --quiet -c "$card_sums") || fail "the card's bytes changed"
grep -qF "\"Path_POI\"=\"$demo\"" "$hive" || fail "Path_POI not stored: $(cat "$hive")"
grep -qF "\"Path_SD\"=\"$work/card/\"" "$hive" || fail "Path_SD not stored: $(cat "$hive")"

start_program
type_into_field "${sd_field[@]}" "$work/other card"
sleep 0.3
kill -TERM "$app_pid"
await_end "after SIGTERM"
grep -qF "\"Path_SD\"=\"$work/other card\"" "$hive" || fail "SIGTERM stored nothing: $(cat "$hive")"
echo "2 passed, 0 failed"
