#!/usr/bin/env bash
# A copy of the build's Wine prefix shown at another display scale, for the tests that run the
# frame there:
#   scaled-prefix.sh DPI [up]   make it once (later calls reuse it) and keep its Wine server up
#   scaled-prefix.sh DPI down   stop its Wine server
# The prefix is $ORVANE_BUILD/wine/prefix-DPI.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
dpi=${1:?usage: scaled-prefix.sh DPI [up|down]}
if [ "${2:-up}" = down ]; then
    export ORVANE_WINEPREFIX=$ORVANE_BUILD/wine/prefix-$dpi
    orvane_wine_env
    wineserver -k 2>/dev/null || true
    exit 0
fi
orvane_scaled_prefix "$dpi"
# Up for the tests, with its service manager started here, so that no test's output pipe is held by
# Wine's helper processes.
orvane_wine_start
echo "prefix at $dpi DPI ready: $WINEPREFIX"
