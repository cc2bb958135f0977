#!/usr/bin/env bash
# Checks that no two ids of one kind share a value: the resource compiler takes two strings of one
# id without a word (the later one wins), and two commands, dialogs, icons or controls of one value
# are as silently confused. Kinds, each a namespace of its own: strings (every IDS_ id and every id
# that has an entry in a STRINGTABLE, such as a command's prompt), commands (ID_), dialogs (IDD_),
# icons, bitmaps and the main frame's resources (IDI_, IDB_, IDR_), controls (IDC_) and frame child
# windows (AFX_IDW_). A name defined twice counts too. Ids of different kinds may share a value (a
# command without a prompt and a string, a dialog and an icon).
# Usage: check-resource-ids.sh [SCRIPT.rc HEADER...]; without arguments, the program's own.
# Prints each clash; exits 1 when there is one.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
    set -- "$root/res/orvane.rc" "$root/res/resource.h" "$root/window/framework_ids.h"
fi
rc=$1
shift
awk -v rc="$rc" '
function value(text,    i, n) {
    if (text ~ /^0[xX][0-9a-fA-F]+$/) {
        n = 0
        for (i = 3; i <= length(text); ++i)
            n = n * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
        return n
    }
    if (text ~ /^[0-9]+$/) return text + 0
    return ""
}
function kinds(name,    k) {
    k = ""
    if (name ~ /^IDS_/ || (name in stringEntry)) k = k " string"
    if (name ~ /^ID_/) k = k " command"
    if (name ~ /^IDD_/) k = k " dialog"
    if (name ~ /^(IDI|IDB|IDR)_/) k = k " resource"
    if (name ~ /^IDC_/) k = k " control"
    if (name ~ /^AFX_IDW_/) k = k " window"
    return k
}
# The resource script: the first word of each line of a STRINGTABLE is a string id.
FILENAME == rc {
    if ($1 == "STRINGTABLE") { table = 1; next }
    if (table && $1 == "BEGIN") next
    if (table && $1 == "END") { table = 0; next }
    if (table && $1 != "" && $1 !~ /^\/\//) stringEntry[$1] = 1
    next
}
$1 == "#define" && NF >= 3 && $2 !~ /\(/ {
    if ($2 in defined) {
        printf "%s defined twice (%s, %s:%d)\n", $2, defined[$2], FILENAME, FNR
        status = 1
        next
    }
    defined[$2] = FILENAME ":" FNR
    v = value($3)
    if (v == "") {
        if ($2 ~ /^(IDS|ID|IDD|IDI|IDB|IDR|IDC|AFX_IDW)_/) {
            printf "%s: value \"%s\" is not a number (%s:%d)\n", $2, $3, FILENAME, FNR
            status = 1
        }
        next
    }
    names[++count] = $2
    values[$2] = v
}
END {
    # A string entry may name its id as a number.
    for (entry in stringEntry) {
        if (!(entry in values) && value(entry) != "") { names[++count] = entry; values[entry] = value(entry) }
    }
    for (i = 1; i <= count; ++i) {
        n = split(kinds(names[i]), ks, " ")
        for (j = 1; j <= n; ++j) {
            key = ks[j] SUBSEP values[names[i]]
            if (key in owner) {
                printf "%s ids: %s and %s are both %d\n", ks[j], owner[key], names[i], values[names[i]]
                status = 1
            } else {
                owner[key] = names[i]
            }
        }
    }
    exit status
}
' "$rc" "$@"
