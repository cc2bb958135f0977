#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures (none of them is a test):
#   - the catalogue over the fake platform, natively, optimised and without sanitizers;
#   - the catalogue under Wine with about 1,200 extra services, beside the platform calls of a load
#     that reads each value on its own (goal: Reload at most 0.65 of those);
#   - the service list fill under Wine, and the time from process start to a filled list;
#   - saving and opening a saved inventory of 1,000 and 10,000 records under Wine, beside the
#     catalogue load of the same size and a live load scaled to it, and what the live configuration
#     and the files' digests add to a live save;
#   - the service groups dialog under Wine with a group order of up to 100,000 entries;
#   - a saved inventory opened at start and closed under Wine: 20,000 names crafted to collide in
#     a hash beside 20,000 ordinary ones, 100,000 and 1,000,000 rows (time and peak memory);
#   - /compare of 100 machines of 1,000 services against a baseline under Wine (goal: under 2 s).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
orvane_setup_packages

release="$ORVANE_BUILD/native-release"
if [ ! -f "$release/CMakeCache.txt" ]; then
    orvane_quiet "$ORVANE_BUILD/native-release-configure.log" cmake -S "$ORVANE_ROOT" -B "$release" \
        -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF
fi
orvane_quiet "$ORVANE_BUILD/native-release-build.log" cmake --build "$release" --target catalogue_bench
echo "== catalogue over the fake (native, Release)"
"$release/bench/catalogue_bench"

orvane_build windows
orvane_display
trap 'bash "$ORVANE_ROOT/scripts/many-services.sh" down || true; orvane_finish' EXIT
orvane_wine_prefix
orvane_wine_start
echo "== service list fill (Wine)"
wine "$ORVANE_BUILD/windows/bench/list_fill_bench.exe"
echo "== service groups dialog (Wine, goal: 100,000 entries in under 1 s)"
wine "$ORVANE_BUILD/windows/bench/group_dlg_bench.exe"
echo "== saved inventories opened at start: crafted names and big files (Wine)"
wine "$ORVANE_BUILD/windows/bench/inventory_open_bench.exe"
echo "== a fleet against its baseline: 100 machines of 1,000 services (Wine, goal: under 2 s)"
wine "$ORVANE_BUILD/windows/bench/compare_bench.exe"

echo "== catalogue on the live service manager with 1,200 extra services (Wine, goal: Reload <= 0.65 x the per-value calls)"
bash "$ORVANE_ROOT/scripts/many-services.sh" up
ORVANE_WINEPREFIX="${ORVANE_MANY_PREFIX:-$ORVANE_BUILD/wine/prefix-many}" "$ORVANE_ROOT/scripts/wine-exec" \
    "$ORVANE_BUILD/windows/bench/wine_catalogue_bench.exe"

echo "== saved inventories: save and open beside the catalogue load (Wine, 1,200 extra services)"
ORVANE_WINEPREFIX="${ORVANE_MANY_PREFIX:-$ORVANE_BUILD/wine/prefix-many}" "$ORVANE_ROOT/scripts/wine-exec" \
    "$ORVANE_BUILD/windows/bench/inventory_bench.exe"
