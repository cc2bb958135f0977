#!/usr/bin/env bash
# Checks that every C and C++ source of the project is laid out as .clang-format says. Prints each
# place that drifts; exits 1 when there is one. `clang-format -i FILE` puts a file right.
set -u
cd "$(dirname "$0")/.."
format=$(command -v clang-format || true)
if [ -z "$format" ]; then
    echo "clang-format is not installed (scripts/lib.sh installs it)"
    exit 1
fi
# The tracked sources of a checkout, or every source below the top folders of a copy without git.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.c' '*.cpp' '*.h'
else
    find app bench catalogue category dialogs inventory platform res tests views window \
        -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 "$format" --dry-run --Werror
