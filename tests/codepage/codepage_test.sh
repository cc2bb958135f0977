#!/usr/bin/env bash
# Usage: codepage_test.sh BUILD_DIR
# The program shows and writes the same texts whatever the process's code page. The probe (the main
# frame on Wine's live system, read back through the UTF-16 calls) and the program's /export run
# built with the program's manifest, whose UTF-8 code page Windows honours from 10 version 1903,
# and built with a manifest without it, as earlier Windows runs them: in code page 1252 (en_US) and
# 936 (zh_CN). Every dump and every exported file must equal the first byte for byte.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
orvane_wine_env
orvane_locales || exit 1
build=$1
work=$(mktemp -d)
failures=0
check() {  # check DESCRIPTION CONDITION...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
winpath() { echo "Z:${1//\//\\}"; }
# Wine takes the process's code page from the locale.
in_locale() { local locale=$1; shift; env LOCPATH="$ORVANE_BUILD/locales" LC_ALL="$locale" LANG="$locale" "$@"; }

# The service's image path is the program itself, copied into a folder with a Chinese name, so the
# detail pane probes a file by such a path and shows its Chinese version strings.
mkdir -p "$work/代码页 文件夹"
cp "$build/Orvane.exe" "$work/代码页 文件夹/Orvane.exe"
probe="$build/tests/codepage/codepage_probe.exe"
cleanup() {
    wine "$probe" remove >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
wine "$probe" remove >/dev/null 2>&1
wine "$probe" register "\"$(winpath "$work/代码页 文件夹/Orvane.exe")\""
check "the service with Chinese texts is registered" test $? -eq 0

# run NAME LOCALE PROBE PROGRAM: a dump and an export in that locale.
run() {
    local name=$1 locale=$2 probe=$3 program=$4
    in_locale "$locale" wine "$probe" dump "$(winpath "$work/$name.dump")" >/dev/null 2>&1
    in_locale "$locale" wine "$program" /export "$(winpath "$work/$name.csv")" 2>/dev/null
    check "$name: export exits 0" test $? -eq 0
}
run utf8 zh_CN.UTF-8 "$probe" "$build/Orvane.exe"
run cp1252 en_US.UTF-8 "$build/tests/codepage/codepage_probe_legacy.exe" \
    "$build/tests/codepage/OrvaneLegacyCodePage.exe"
run cp936 zh_CN.UTF-8 "$build/tests/codepage/codepage_probe_legacy.exe" \
    "$build/tests/codepage/OrvaneLegacyCodePage.exe"

acp() { head -n 1 "$work/$1.dump" 2>/dev/null; }
check "the program's manifest gives code page 65001" test "$(acp utf8)" = "acp 65001"
check "without it en_US gives code page 1252" test "$(acp cp1252)" = "acp 1252"
check "without it zh_CN gives code page 936" test "$(acp cp936)" = "acp 936"

shows() { grep -qF -- "$2" "$work/$1.dump"; }
check "the list shows the service's name" shows utf8 "cell 代码页服务😀"
check "the list shows its description" shows utf8 "cell 说明：中文、Ünïcödé 与 😀"
check "the detail pane shows the file's Chinese company" shows utf8 "detail 公司: Orvane 软件工作室"
check "the clipboard holds the row" shows utf8 "clipboard 代码页服务😀\\t"
check "the confirmation names the service" shows utf8 "confirm 您真的要启动服务“代码页服务😀”吗?"
check "the properties dialog shows the display name" shows utf8 "property 1005 代码页测试 Ünïcödé 😀"
check "the groups dialog shows the svchost group" shows utf8 "groups 1000 代码页组😀 | 代码页服务😀 其他"
check "the export holds the display name" grep -qF "代码页测试 Ünïcödé 😀" "$work/utf8.csv"

for name in cp1252 cp936; do
    if tail -n +2 "$work/$name.dump" | cmp -s - <(tail -n +2 "$work/utf8.dump"); then
        echo "ok: $name: the window, the dialogs and the clipboard hold what the UTF-8 build holds"
    else
        echo "FAILED: $name: the window, the dialogs and the clipboard differ from the UTF-8 build"
        diff <(tail -n +2 "$work/utf8.dump") <(tail -n +2 "$work/$name.dump") | head -n 40
        failures=$((failures + 1))
    fi
    check "$name: the exported file is the UTF-8 build's, byte for byte" \
        cmp -s "$work/$name.csv" "$work/utf8.csv"
done

[ "$failures" -eq 0 ]
