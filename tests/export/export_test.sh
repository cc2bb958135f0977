#!/usr/bin/env bash
# Usage: export_test.sh Orvane.exe
# The export writes the live catalogue (Wine's services and drivers) and exits 0, also under the
# longest name a folder allows; a file that cannot be written gives the system's error code and a
# message on standard error, and leaves what was there. Arguments the program does not know give
# the usage on standard error and ERROR_INVALID_PARAMETER (87), "/?" the usage on standard output
# and 0: never a window that stays.
set -uo pipefail
. "$(dirname "$0")/../support/script_checks.sh"
exe=$1

wine "$exe" /export "$(winpath "$work/inventory.csv")" 2>"$work/err"
code=$?
check "export exits 0" test "$code" -eq 0
check "export writes nothing on standard error" test ! -s "$work/err"
header=$'\xef\xbb\xbfServiceName,DisplayName,ServiceKind,ServiceType,CurrentState,Start,Description,ImagePath,ServiceDll,Group,SvchostGroup,FormatVersion,ObjectName,DelayedAutoStart,TriggerStart,ErrorControl,DependOnService,DependOnGroup,StoredImagePath,Sha256,UnquotedPath\r'
check "file starts with the byte-order mark and the versioned header" test "$(head -n 1 "$work/inventory.csv")" = "$header"
check "file holds Spooler as a Win32 service" grep -q $'^Spooler,[^,]*,48,' "$work/inventory.csv"
# Its file's digest is what sha256sum finds in the prefix's spoolsv.exe.
digest=$(sha256sum "$WINEPREFIX/drive_c/windows/system32/spoolsv.exe" | cut -d' ' -f1)
check "Spooler's row ends in its file's SHA-256 and no unquoted path" \
    grep -q "^Spooler,.*,C:\\\\windows\\\\system32\\\\spoolsv.exe,$digest,0"$'\r$' "$work/inventory.csv"
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

# The longest name a folder allows: the temporary file beside it must not be longer.
long=$(printf 'x%.0s' $(seq 251)).csv
wine "$exe" /export "$(winpath "$work/$long")" 2>"$work/err"
code=$?
check "export under a name of 255 characters exits 0 and writes it" test "$code" -eq 0 -a -s "$work/$long"
check "nothing is left beside it" test "$(ls "$work" | grep -c '\.tmp$')" -eq 0

wine "$exe" /export 'nul.csv' 2>"$work/err"
code=$?
# (A Unix parent sees the low byte of a Windows exit code.)
check "export to a device name exits with ERROR_BAD_DEVICE (1200)" test "$code" -eq $((1200 & 255))
check "its message says it is a device" grep -q "设备" "$work/err"

# Whatever the program does not know: the usage, at once (a window would keep wine from returning).
usage() {  # usage EXPECTED_CODE STREAM ARGUMENT...
    local expected=$1 stream=$2; shift 2
    timeout 60 wine "$exe" "$@" >"$work/out" 2>"$work/err"
    local code=$? given
    given=$(printf '%q ' "$@")
    check "$given exits with $expected and no window" test "$code" -eq "$expected"
    check "$given shows the usage on standard $stream" grep -q "/export" "$work/$stream"
}
usage 87 err /EXPORT
usage 87 err /export:x.csv
usage 87 err /export: x.csv
check "the argument not understood is named" grep -q '“/export:”' "$work/err"
usage 87 err /export a.csv b.csv
usage 87 err /x
usage 87 err a.csv b.csv
usage 87 err ""
usage 0 out /?
check "/? writes nothing on standard error" test ! -s "$work/err"

[ "$failures" -eq 0 ]
