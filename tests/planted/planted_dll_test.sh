#!/usr/bin/env bash
# Usage: planted_dll_test.sh Orvane.exe open_dialogs.exe planted_dll.dll [SECOND_BUILD.exe...]
# Windows takes a DLL that is not a KnownDLL from the program's folder first; Wine prefers its own
# builtin DLLs unless told otherwise. With Wine told to prefer the folder's copies, DLLs planted
# beside a copy of the program (each leaves a marker file when it is loaded) must not run, neither
# while the window opens its dialogs nor during /export. Another build of the program from the same
# sources (the code-page test's) must import as little at start and run /export the same way.
set -uo pipefail
. "$(dirname "$0")/../support/script_checks.sh"
program=$1 driver=$2 planted=$3
shift 3
others=("$@")
markers() { (cd "$work" && ls -- *.ran 2>/dev/null); }
# The DLLs the executable imports at start (its delay imports are not among them), in lowercase.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | xargs; }

for exe in "$program" "${others[@]}"; do
    check "$(basename "$exe") imports only KnownDLLs at start: $(imports "$exe")" \
        test "$(imports "$exe")" = "advapi32.dll kernel32.dll msvcrt.dll"
done

# What the program loads from outside the KnownDLLs, directly or through the common controls and
# dialogs (measured with WINEDEBUG=+loaddll): comctl32 itself, version, and what comctl32, uxtheme
# and comdlg32 load.
names=(version.dll comctl32.dll comdlg32.dll uxtheme.dll msimg32.dll winspool.drv compstui.dll)
for name in "${names[@]}"; do cp "$planted" "$work/$name"; done
cp "$program" "$work/Orvane.exe"
overrides=$(printf '%s,' "${names[@]%.dll}"); overrides=${overrides%,}
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"

# The control: a program that loads them by name from its folder runs every one.
cp "$driver" "$work/control.exe"
wine "$work/control.exe" /load "${names[@]}" >/dev/null 2>&1
check "a program that does not restrict its DLL search runs each planted DLL" \
    test "$(markers | wc -l)" -eq "${#names[@]}"
rm -f "$work"/*.ran "$work/control.exe"

wine "$driver" "$(winpath "$work/Orvane.exe")"
code=$?
check "the window opened the Save, service groups, properties and About dialogs and closed" \
    test "$code" -eq 0
check "no planted DLL ran in the window: $(markers | tr '\n' ' ')" test -z "$(markers)"

for exe in "$work/Orvane.exe" "${others[@]}"; do
    name=$(basename "$exe")
    rm -f "$work"/*.ran "$work/inventory.csv"
    [ -e "$work/$name" ] || cp "$exe" "$work/$name"
    (cd "$work" && wine "$name" /export "$(winpath "$work/inventory.csv")" 2>/dev/null)
    code=$?
    check "$name: export exits 0 and writes its file" test "$code" -eq 0 -a -s "$work/inventory.csv"
    check "$name: no planted DLL ran during the export: $(markers | tr '\n' ' ')" test -z "$(markers)"
done

[ "$failures" -eq 0 ]
