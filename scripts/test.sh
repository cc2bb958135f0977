#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test: the portable core natively under the
# sanitizers, the Windows build under Wine (on a virtual display), and the 32-bit build (compile and
# link only: this kernel cannot execute 32-bit programs).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
orvane_setup_packages

echo "== native build (g++, AddressSanitizer, UndefinedBehaviorSanitizer)"
orvane_build native
ctest --test-dir "$ORVANE_BUILD/native" --output-on-failure

echo "== Windows x86_64 build, tests under Wine"
orvane_build windows
orvane_display
trap orvane_finish EXIT
orvane_wine_prefix
orvane_wine_start
ctest --test-dir "$ORVANE_BUILD/windows" --output-on-failure

echo "== Windows i686 build (compiled and linked, not run)"
orvane_build windows-i686
bash "$ORVANE_ROOT/scripts/check-tsaware.sh" "$ORVANE_BUILD/windows-i686/Orvane.exe"
echo "i686 build: ok"
