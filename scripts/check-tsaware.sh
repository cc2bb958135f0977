#!/usr/bin/env bash
# Usage: check-tsaware.sh EXE...
# Each executable is marked terminal-server aware in its PE header
# (IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE, 0x8000): on a Remote Desktop Session Host,
# Windows then gives it the system's own Windows directory, not a per-user copy.
set -uo pipefail
failures=0
for exe in "$@"; do
    # objdump -p prints the DllCharacteristics word, then the name of each flag it holds.
    flags=$(x86_64-w64-mingw32-objdump -p "$exe" 2>/dev/null | sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p')
    if grep -q TERMINAL_SERVICE_AWARE <<<"$flags"; then
        echo "ok: $exe is terminal-server aware"
    else
        echo "FAILED: $exe is not terminal-server aware"
        echo "$flags"
        failures=$((failures + 1))
    fi
done
[ "$#" -gt 0 ] && [ "$failures" -eq 0 ]
