# Shared by the test scripts run under Wine (tests/export, tests/planted, tests/codepage); sourced,
# not run. Sets up the build's Wine environment and a work folder removed at the end ($work), and
# gives check (counts failures; the script ends with [ "$failures" -eq 0 ]) and winpath.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
orvane_wine_env
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION CONDITION...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
winpath() { echo "Z:${1//\//\\}"; }
