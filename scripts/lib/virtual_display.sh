# shellcheck shell=bash
# Sourced, not run: a virtual X display of the caller's own, for the scripts and tests that
# show windows. start_display starts Xvfb on a free display and exports DISPLAY (exit 77,
# CTest's skip, where Xvfb is missing); stop_xvfb ends it; retry runs an X client again.
xvfb_pid=""

start_display() {
    command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
    local display
    exec 5<> <(:)
    Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 10 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
    export DISPLAY=:$display
    unset WAYLAND_DISPLAY
}

stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    xvfb_pid=""
}

# Xvfb refuses an X connection now and then: try each X client up to three times.
retry() { "$@" || { sleep 0.5; "$@"; } || { sleep 1; "$@"; }; }
