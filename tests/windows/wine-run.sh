#!/bin/sh
# Runs one Windows program under Wine for CTest (the build's cross-compiling emulator).
# - WINEPREFIX must be set: a folder inside the build folder.
# - The prefix is made once, serially: parallel first starts on a new prefix race and fail.
# - One lasting wineserver whose services (services.exe, explorer.exe, ...) start with their
#   output on /dev/null; otherwise they inherit the test's pipes and CTest waits seconds for
#   them after every cold start.
set -eu
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=d}"
mkdir -p "$WINEPREFIX"
(
    flock 9
    # -pN is one word: "-p 15" would mean "stay forever" and a stray argument.
    # 9>&- : the daemons must not inherit the lock, or it is never released.
    if wineserver -p"${WINE_PERSIST_SECONDS:-15}" 9>&-; then
        wine wineboot 9>&-
    fi
) 9>"$WINEPREFIX.lock" </dev/null >/dev/null 2>&1
exec wine "$@"
