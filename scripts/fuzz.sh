#!/usr/bin/env bash
# Fuzzes the conversion core against the reference model for a bounded time.
#   bash scripts/fuzz.sh [SECONDS]     (default 60)
# Fails on any crash, sanitizer report or difference from the model; the
# input that caused it is left in build/fuzz/ as crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

# libFuzzer adds what it finds to the first folder; the seeds stay as they are.
work=build/fuzz/corpus
mkdir -p "$work"
log=build/fuzz/last-run.log
status=0
(cd build/fuzz && ./tests/fuzz/conversion_fuzzer -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 corpus ../../tests/fuzz/corpus) >"$log" 2>&1 || status=$?
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$log" || true
if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "Fuzzing failed (status $status); see $log"
    exit 1
fi
echo "Fuzzing: no crash, no sanitizer report, no difference from the model in ${seconds} s"
