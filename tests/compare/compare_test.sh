#!/usr/bin/env bash
# Usage: compare_test.sh Orvane.exe
# The live system exported as the golden image; machines made from it with known differences (a
# start type, a service gone, one added, a replaced file, a description with a comma and quotes),
# an identical one, one saved by the first version; each difference is one report row, in /out's
# file (with a byte-order mark) or on standard output, and the exit code says whether there was
# any. The live system against the golden image, before and after a real change in the registry.
# A damaged file, a missing one, a report over an input: their exit codes and messages, no report.
set -uo pipefail
. "$(dirname "$0")/../support/script_checks.sh"
exe=$(realpath "$1")
cd "$work"

# A CSV rewritten by a Python expression over its rows (the header is rows[0]); version1 cuts the
# configuration columns, as the first version wrote its files.
edit() {  # edit IN OUT PYTHON
    python3 - "$@" <<'PY'
import csv, io, sys
src, dst, code = sys.argv[1:4]
rows = list(csv.reader(io.open(src, encoding='utf-8-sig', newline='')))
def row(name): return next(r for r in rows if r[0] == name)
def col(name): return rows[0].index(name)
def version1():
    global rows
    rows = [r[:11] for r in rows]
exec(code)
with io.open(dst, 'w', encoding='utf-8-sig', newline='') as f:
    csv.writer(f, lineterminator='\r\n').writerows(rows)
PY
}

golden=GOLDEN-services-2024-01-01.csv
wine "$exe" /export "$(winpath "$work/$golden")" 2>err
check "the golden image is exported" test $? -eq 0 -a -s "$golden"
driver=$(python3 -c "import csv,io,sys; print(next(r[0] for r in csv.reader(io.open(sys.argv[1],encoding='utf-8-sig')) if r[2]=='11'))" "$golden")
edit "$golden" WEB-01-services-2024-01-02.csv "
row('Spooler')[col('Start')] = '4'
row('Spooler')[col('Sha256')] = 'b' * 64
rows.remove(row('$driver'))
planted = list(row('Spooler')); planted[0] = 'Planted'; rows.append(planted)"
cp "$golden" DB-services-2024-01-02.csv
edit "$golden" laptop.csv "row('RpcSs')[col('Description')] = 'RPC, \"changed\"'"
edit "$golden" OLD-services-2023-12-01.csv "version1()"

wine "$exe" /compare "$golden" WEB-01-services-2024-01-02.csv DB-services-2024-01-02.csv \
    laptop.csv OLD-services-2023-12-01.csv /out report.csv 2>err
check "differences exit with 1" test $? -eq 1
check "nothing on standard error" test ! -s err
expected=$'\xef\xbb\xbfComputer,ServiceName,Change,Field,Baseline,Current\r
WEB-01,Spooler,changed,Start,3,4\r
WEB-01,Spooler,changed,Sha256,'"$(python3 -c "import csv,io,sys; print(next(r[19] for r in csv.reader(io.open(sys.argv[1],encoding='utf-8-sig')) if r[0]=='Spooler'))" "$golden")"','"$(printf 'b%.0s' $(seq 64))"$'\r
WEB-01,'"$driver"$',removed,,,\r
WEB-01,Planted,added,,,\r
laptop.csv,RpcSs,changed,Description,RPC service,"RPC, ""changed"""\r'
check "the report holds one row per difference, computers named by their files" \
    test "$(cat report.csv)" = "$expected"

wine "$exe" /compare "$golden" laptop.csv >out 2>err
check "without /out the report goes to standard output" test $? -eq 1
check "there without a byte-order mark" test "$(head -c 8 out)" = "Computer"
check "and with the same rows" grep -q 'laptop.csv,RpcSs,changed,Description' out

wine "$exe" /compare OLD-services-2023-12-01.csv "$golden" >out 2>err
check "a first-version baseline against its own machine: no difference, exit 0" test $? -eq 0
check "the report is its header alone" test "$(cat out)" = $'Computer,ServiceName,Change,Field,Baseline,Current\r'

# The live system: as exported, then with a delayed start set in the registry.
wine "$exe" /compare "$golden" >out 2>err
check "the live system against its own export: exit 0" test $? -eq 0
spooler='HKLM\SYSTEM\CurrentControlSet\Services\Spooler'
wine reg add "$spooler" /v DelayedAutostart /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine "$exe" /compare "$golden" >out 2>err
code=$?
wine reg delete "$spooler" /v DelayedAutostart /f >/dev/null 2>&1
check "the live system with a delayed start set: exit 1" test "$code" -eq 1
check "its row names this computer and the field" \
    grep -q $'^[^,]\+,Spooler,changed,DelayedAutoStart,0,1\r$' out
check "and only that row" test "$(wc -l <out)" -eq 2

# Refusals: no report is written, the exit code is the system's.
printf 'ServiceName,Nonsense\r\n' >bad.csv
wine "$exe" /compare "$golden" bad.csv DB-services-2024-01-02.csv missing.csv /out refused.csv 2>err
check "a damaged file exits with ERROR_INVALID_DATA (13)" test $? -eq 13
check "its message names it and its first bad line" grep -q 'bad.csv.*不是完好的服务列表' err
check "the line is the header's" grep -q '第 1 行' err
check "the file that does not exist is named too" grep -q 'missing.csv' err
check "no report is written" test ! -e refused.csv
wine "$exe" /compare missing.csv 2>err
check "a missing baseline exits with ERROR_FILE_NOT_FOUND (2)" test $? -eq 2
before=$(md5sum <laptop.csv)
wine "$exe" /compare "$golden" laptop.csv /out "$(winpath "$work/LAPTOP.CSV")" 2>err
check "a report over a compared file exits with 87" test $? -eq 87
check "and leaves the file as it was" test "$(md5sum <laptop.csv)" = "$before"
check "its message says why" grep -q '要比较的文件' err

[ "$failures" -eq 0 ]
