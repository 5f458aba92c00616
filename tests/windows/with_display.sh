#!/usr/bin/env bash
# Runs one Windows program under Wine on a virtual display of its own, the screen at the given
# dots per inch: with_display.sh DPI PROGRAM [ARGUMENTS...]. WINEPREFIX from the caller.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINE_RUN=$here/wine-run.sh
. "$here/display.sh"
dpi=$1
shift
start_display
trap stop_display EXIT
prepare_prefix "$dpi"
"$WINE_RUN" "$@"
