#!/usr/bin/env bash
# Builds everything from scratch where needed and runs every test: the whole
# suite in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the conversion core's fuzzer for about a
# minute (ZEDULO_FUZZ_SECONDS to change that).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in default asan; do
    echo "=== Build and test: $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j2
    ctest --preset "$preset" -j2
done

echo "=== Fuzzing"
bash scripts/fuzz.sh "${ZEDULO_FUZZ_SECONDS:-60}"
