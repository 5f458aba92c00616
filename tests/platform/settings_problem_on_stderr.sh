#!/usr/bin/env bash
# Starts the real program on a settings file with a typo in line 5: one line on standard error
# names the file and the line, and the file is left exactly as it was.
set -euo pipefail
marquill=$1

work=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache HOME=$work QT_QPA_PLATFORM=offscreen
hive=$XDG_CONFIG_HOME/marquill/registry.reg
mkdir -p "$(dirname "$hive")"
printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"Path_POI"="/poi/"\n"Path_SD"="/sd/\n' >"$hive"
cp "$hive" "$work/before"

"$marquill" 2>"$work/stderr" &
app_pid=$!
for _ in $(seq 100); do grep -q '^Marquill:' "$work/stderr" && break; sleep 0.1; done
sleep 0.5
kill "$app_pid"
wait "$app_pid" || true
app_pid=""

expected="Marquill: Die Einstellungsdatei $hive ist nicht lesbar, Zeile 5: Anführungszeichen nicht geschlossen."
grep '^Marquill:' "$work/stderr" >"$work/lines" || true
[ "$(wc -l <"$work/lines")" -eq 1 ] || { echo "FAIL: not one line:"; cat "$work/stderr"; exit 1; }
case "$(cat "$work/lines")" in
    "$expected"*) ;;
    *) echo "FAIL: $(cat "$work/lines")"; exit 1 ;;
esac
cmp "$hive" "$work/before" || { echo "FAIL: the file was changed"; exit 1; }
echo "PASS"
