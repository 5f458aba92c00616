# Sourced by the tests that show windows under Wine: a virtual display of their own, and the
# prefix set up for it. Needs WINEPREFIX; WINE_RUN is tests/windows/wine-run.sh.
#   start_display    Xvfb on a free display number; DISPLAY exported
#   prepare_prefix N the prefix at N dots per inch, drawing its own window frames (Managed=N:
#                    without a window manager a window would otherwise take 2 s to close);
#                    the wineserver restarted, so its desktop lives on this display
#   stop_display     ends the wineserver and Xvfb
xvfb_pid=""

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

prepare_prefix() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    "$WINE_RUN" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

stop_display() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}
