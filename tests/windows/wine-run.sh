#!/bin/sh
# Runs one Windows program under Wine for CTest (the build's cross-compiling emulator).
# - WINEPREFIX must be set: a folder inside the build folder; the home is wine-home beside it,
#   never the user's.
# - The prefix is made once, serially: parallel first starts on a new prefix race and fail.
# - One lasting wineserver whose services (services.exe, explorer.exe, ...) start with their
#   output on /dev/null; otherwise they inherit the test's pipes and CTest waits seconds for
#   them after every cold start.
set -eu
export WINEPREFIX="${WINEPREFIX:?WINEPREFIX must be set}"
export HOME="${WINEPREFIX%/*}/wine-home"
export XDG_CONFIG_HOME="$HOME/config" XDG_CACHE_HOME="$HOME/cache" XDG_DATA_HOME="$HOME/data"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=d}"
mkdir -p "$WINEPREFIX" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
(
    flock 9
    # -pN is one word: "-p 15" would mean "stay forever" and a stray argument.
    # 9>&- : the daemons must not inherit the lock, or it is never released.
    if wineserver -p"${WINE_PERSIST_SECONDS:-15}" 9>&-; then
        wine wineboot 9>&-
    fi
) 9>"$WINEPREFIX.lock" </dev/null >/dev/null 2>&1
exec wine "$@"
