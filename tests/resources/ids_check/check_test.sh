#!/usr/bin/env bash
# scripts/check-resource-ids.sh on ids made to clash: it names each clash, and only those, and
# fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
output=$(bash "$here/../../../scripts/check-resource-ids.sh" "$here/clashes.rc" "$here/clashes.h")
status=$?
expected="IDC_EDIT defined twice (clashes.h:14, clashes.h:15)
string ids: IDS_ONE and IDS_TWO are both 34040
string ids: ID_WITH_PROMPT and IDS_ON_THE_PROMPT are both 32768
command ids: ID_WITH_PROMPT and ID_OTHER_COMMAND are both 32768
resource ids: IDI_OTHER_ICON and IDR_MAIN are both 131"
output=${output//$here\//}
if [ "$output" != "$expected" ] || [ $status -ne 1 ]; then
    echo "exit status $status, output:"
    echo "$output"
    exit 1
fi
