#!/usr/bin/env bash
# Sets up what is missing, builds the program and runs it: on Windows services of Wine's own when
# there is no Windows. Without a display it starts a virtual one, waits until the window has
# painted, writes a screenshot to $ORVANE_BUILD/screenshot.png, prints its path and closes the
# program the way a user would (WM_CLOSE). ORVANE_DPI=144 (or any other DPI) runs it at that display
# scale, in a prefix of its own, and names the screenshot screenshot-144.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
orvane_setup_packages
orvane_build windows
orvane_wine_prefix
suffix=""
if [ -n "${ORVANE_DPI:-}" ]; then
    orvane_scaled_prefix "$ORVANE_DPI"
    suffix="-$ORVANE_DPI"
fi
exe="$ORVANE_BUILD/windows/Orvane.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec wine "$exe" "$@"
fi
orvane_display
trap orvane_finish EXIT
orvane_wine_start

shot="$ORVANE_BUILD/screenshot$suffix.png"
frame="$ORVANE_BUILD/screenshot$suffix-next.png"
blank=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum || true)
wine "$exe" "$@" &
program=$!

# Painted: the screen differs from the empty display and has stopped changing.
previous=""
for _ in $(seq 1 120); do
    sleep 0.5
    kill -0 "$program" 2>/dev/null || { echo "the program ended before it showed its window"; exit 1; }
    import -window root "$frame" 2>/dev/null || continue
    now=$(convert "$frame" -depth 8 rgb:- 2>/dev/null | md5sum || true)
    if [ "$now" != "$blank" ] && [ "$now" = "$previous" ]; then
        break
    fi
    previous=$now
done
if [ -f "$frame" ]; then
    mv "$frame" "$shot"
    echo "$shot"
else
    echo "no screenshot could be taken of the display"
fi

# Close it as the close box does: taskkill without /f sends WM_CLOSE to the program's windows.
wine taskkill /im Orvane.exe >/dev/null 2>&1 || true
for _ in $(seq 1 40); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
done
wait "$program" 2>/dev/null || true
