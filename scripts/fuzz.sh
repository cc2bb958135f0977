#!/usr/bin/env bash
# Fuzzes the saved-inventory reader with libFuzzer for a bounded time: builds the fuzz target with
# clang (installed when missing) under AddressSanitizer and UndefinedBehaviorSanitizer, seeds its
# corpus with the writer's files and the inputs kept in tests/fuzz/corpus/, and runs it until the
# time is up or it finds a fault (the input is then saved as build/fuzz/crash-*; keep it in
# tests/fuzz/corpus/ once mended, and the native suite replays it).
#   bash scripts/fuzz.sh [SECONDS]      (default 60)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
seconds=${1:-60}
orvane_setup_packages "${ORVANE_FUZZ_PACKAGES[@]}"

dir="$ORVANE_BUILD/fuzz"
if [ ! -f "$dir/CMakeCache.txt" ]; then
    orvane_quiet "$ORVANE_BUILD/fuzz-configure.log" cmake -S "$ORVANE_ROOT" -B "$dir" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON
fi
orvane_quiet "$ORVANE_BUILD/fuzz-build.log" \
    cmake --build "$dir" --target inventory_fuzz inventory_fuzz_seeds

corpus="$dir/corpus"  # what the fuzzer finds is kept here from run to run
mkdir -p "$corpus"
"$dir/tests/fuzz/inventory_fuzz_seeds" "$corpus"
echo "fuzzing the saved-inventory reader for $seconds s"
"$dir/tests/fuzz/inventory_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=65536 \
    -artifact_prefix="$dir/" -print_final_stats=1 "$corpus" "$ORVANE_ROOT/tests/fuzz/corpus"
