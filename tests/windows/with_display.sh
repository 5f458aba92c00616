#!/usr/bin/env bash
# A virtual display of its own for the tests that show windows under Wine; WINEPREFIX from the
# caller. Run: with_display.sh DPI COMMAND [ARGUMENTS...], in a fresh prefix. Sourced:
# start_display, prepare_prefix DPI, stop_display.
windows_tests=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINE_RUN=$windows_tests/wine-run.sh
. "$windows_tests/../../scripts/lib/virtual_display.sh"

stop_wineserver() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }

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
    stop_xvfb
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
