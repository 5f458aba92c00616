#!/usr/bin/env bash
# Drives the real program in a virtual X display as a person would: type both folders, leave the
# field, click "Installieren", answer the boxes; then look at the card and the settings.
set -euo pipefail
marquill=$1 navman=$2 demo=$3 card_sums=$4
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "SKIP: no Xvfb"; exit 77; }
. "$(dirname "$0")/../../scripts/lib/virtual_display.sh"
work=$(mktemp -d) app_pid=""
trap 'kill $app_pid 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A home with a blank puts one into both staged paths on the compiler's command line.
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME="$work/Anna Maria" HOME=$work
hive=$XDG_CONFIG_HOME/marquill/registry.reg
mkdir -p "$XDG_CONFIG_HOME/marquill" "$work/card"
echo "a file the user already had" >"$work/card/readme.txt"  # so the question comes
uninstall='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
printf 'REGEDIT4\n\n[%s\\%s]\n"InstallLocation"="%s"\n' "$uninstall" \
    '{17C4BEEA-D6E8-4975-B2CC-53F6F5CE9959}' "$navman" >"$hive"

start_display
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

"$marquill" >"$work/marquill.log" 2>&1 & app_pid=$!
# Under set -e and pipefail a search that times out ends the run.
window=$(retry timeout 20 xdotool search --sync --name '^Marquill \(200512181907\)$' | head -n 1)
# Control positions in pixels, from the window's layout.
click() { retry xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click 300 65 && xdotool key --clearmodifiers ctrl+a type --delay 5 "$demo"
click 300 97 && xdotool key --clearmodifiers ctrl+a type --delay 5 "$work/card"
xdotool key Tab sleep 0.5
click 332 228

# Answer each box with its default button: "Ja" to the overwrite question, "OK" to the
# message about the demo's category without data.
for box in question missing-data; do
    box_window=$(retry timeout 20 xdotool search --sync --name '^Marquill$' | head -n 1) ||
        fail "no $box box"
    xdotool windowfocus --sync "$box_window" 2>/dev/null || true
    xdotool sleep 0.3 key --window "$box_window" Return
    xdotool key Return sleep 0.5 2>/dev/null || true
done
timeout 20 tail --pid="$app_pid" -f /dev/null || fail "the program did not end after the run"
wait "$app_pid" || fail "the program ended with status $?"

# The Windows build's smoke test holds its card against the same bytes.
(cd "$work/card" && sha256sum --quiet -c "$card_sums") || fail "the card's bytes changed"
echo "1 passed, 0 failed"
