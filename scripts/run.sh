#!/usr/bin/env bash
# Sets up what is missing, builds the program and runs it: on Windows services of Wine's own when
# there is no Windows. Without a display it starts a virtual one and writes a screenshot.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
orvane_setup_packages
orvane_build windows
orvane_wine_prefix
exe="$ORVANE_BUILD/windows/Orvane.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec wine "$exe" "$@"
fi
orvane_display
trap 'wineserver -k 2>/dev/null; orvane_stop_display' EXIT
wine "$exe" "$@"
