#!/usr/bin/env bash
# A virtual display of its own for the tests that show windows under Wine; WINEPREFIX from the
# caller. Run: with_display.sh DPI COMMAND [ARGUMENTS...], in a fresh prefix. Sourced:
# start_display, prepare_prefix DPI, stop_display.
WINE_RUN=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-run.sh
xvfb_pid=""

stop_wineserver() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }

start_display() {
    command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
    exec 5<> <(:)
    Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    local display
    read -r -t 10 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
    export DISPLAY=:$display
    unset WAYLAND_DISPLAY
}

# Wine draws its own window frames (without a window manager a window takes 2 s to close);
# the restarted wineserver keeps its desktop on this display.
prepare_prefix() {
    "$WINE_RUN" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null
    stop_wineserver
}

stop_display() {
    stop_wineserver
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    start_display
    trap stop_display EXIT
    rm -rf "$WINEPREFIX"
    prepare_prefix "$1"
    shift
    "$@"
fi
