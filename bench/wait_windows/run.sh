#!/bin/sh
# Runs the Windows wait benchmark under Wine, in the Windows build's own prefix, once per way
# of waiting, and adds what the wineserver (a Linux process doing the Windows kernel's work)
# spent meanwhile.
#   bench/wait_windows/run.sh [RUNS [CHILD_MILLISECONDS]]     after scripts/build --windows
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-windows"
runs="${1:-5}"
child_ms="${2:-2000}"
export WINEPREFIX="$build/wineprefix" HOME="$build/wine-home"
export XDG_CONFIG_HOME="$HOME/config" XDG_CACHE_HOME="$HOME/cache" XDG_DATA_HOME="$HOME/data"
unset DISPLAY WAYLAND_DISPLAY
run="$root/tests/windows/wine-run.sh"
bench="$build/bench/wait_windows/wait_bench_win32.exe"

# The wineserver of this prefix, told from others' by its environment.
server_cpu() {
    for pid in $(pgrep -x 'wineserver|wineserver32|wineserver64'); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            awk -v hz="$(getconf CLK_TCK)" '{printf "%.3f\n", ($14 + $15) / hz}' "/proc/$pid/stat"
            return
        fi
    done
    echo 0
}

cd "$build/bench/wait_windows"
WINE_PERSIST_SECONDS=120 "$run" "$bench" floor 1 10 >/dev/null  # a warm prefix and server
for way in program floor busy; do
    before=$(server_cpu)
    "$run" "$bench" "$way" "$runs" "$child_ms"
    after=$(server_cpu)
    echo "$way: wineserver CPU $(echo "$before $after $runs" | awk '{printf "%.3f", ($2 - $1) / $3}') s per run"
done
