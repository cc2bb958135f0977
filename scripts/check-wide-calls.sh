#!/usr/bin/env bash
# Checks that the program hands no text to Windows through the process's code page: no "A"
# function, message or structure and no CP_ACP in its sources (the tests and benchmarks may use
# them). Its texts are UTF-8 and every boundary call is a "W" one, converted with CP_UTF8, because
# Windows before 10 version 1903 ignores the manifest's UTF-8 code page. Prints each line that
# breaks the rule; exits 1 when there is one.
set -u
cd "$(dirname "$0")/.."
folders=(app catalogue category dialogs inventory platform res views window)
calls='[a-z0-9]A[[:space:]]*\('
messages='\b(LVM|TVM|TB|SB|TTM|CB|LB|EM|HDM|LVN|TVN|TTN|HDN)_[A-Z_]+A\b'
structures='\b(LVITEM|LVCOLUMN|TVITEM|TVINSERTSTRUCT|NMTTDISPINFO|NMLVDISPINFO|NMTVDISPINFO|CREATESTRUCT|WNDCLASS|WNDCLASSEX|WIN32_FIND_DATA|TBBUTTONINFO|MAKEINTRESOURCE|LOGFONT|STARTUPINFO|OPENFILENAME|MSGBOXPARAMS)A\b'
found=$(grep -rnE --include='*.cpp' --include='*.h' "$calls|$messages|$structures|\bCP_(THREAD_)?ACP\b" \
    "${folders[@]}" | grep -vE '_[A-Z]*DATA\b')
if [ -n "$found" ]; then
    echo "8-bit calls of the process's code page in the program:"
    echo "$found"
    exit 1
fi
