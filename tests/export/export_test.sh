#!/usr/bin/env bash
# Usage: export_test.sh Orvane.exe
# The export writes the live catalogue (Wine's services and drivers) and exits 0; a file that
# cannot be written gives the system's error code and a message on standard error, and leaves what
# was there; a missing file name gives ERROR_INVALID_PARAMETER (87).
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
orvane_wine_env
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION CONDITION...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
winpath() { echo "Z:${1//\//\\}"; }

wine "$exe" /export "$(winpath "$work/inventory.csv")" 2>"$work/err"
code=$?
check "export exits 0" test "$code" -eq 0
check "export writes nothing on standard error" test ! -s "$work/err"
header=$'\xef\xbb\xbfServiceName,DisplayName,ServiceKind,ServiceType,CurrentState,Start,Description,ImagePath,ServiceDll,Group,SvchostGroup\r'
check "file starts with the byte-order mark and the header" test "$(head -n 1 "$work/inventory.csv")" = "$header"
check "file holds Spooler as a Win32 service" grep -q $'^Spooler,[^,]*,48,' "$work/inventory.csv"
check "file holds drivers" grep -q $'^[^,]*,[^,]*,11,' "$work/inventory.csv"
check "every line ends with CRLF" test "$(grep -c $'\r$' "$work/inventory.csv")" -eq "$(wc -l <"$work/inventory.csv")"

# A folder where the file should be: the system refuses the replacement.
mkdir "$work/taken.csv"
wine "$exe" /export "$(winpath "$work/taken.csv")" 2>"$work/err"
code=$?
check "export over a folder exits with ERROR_ACCESS_DENIED (5)" test "$code" -eq 5
check "its message names the file" grep -q "taken.csv" "$work/err"
check "the folder is still there and nothing is left beside it" \
    test -d "$work/taken.csv" -a "$(ls "$work" | grep -c '\.tmp$')" -eq 0

wine "$exe" /export 'C:\no\such\folder\x.csv' 2>"$work/err"
code=$?
check "export into a missing folder exits with ERROR_PATH_NOT_FOUND (3)" test "$code" -eq 3
check "its message is on standard error" test -s "$work/err"

wine "$exe" /EXPORT 2>"$work/err"
code=$?
check "export without a file exits with ERROR_INVALID_PARAMETER (87)" test "$code" -eq 87
check "and shows the usage" grep -q "/export" "$work/err"

[ "$failures" -eq 0 ]
