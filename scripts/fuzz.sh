#!/usr/bin/env bash
# Fuzzes the conversion core for a bounded time, half of it from the line
# seeds (against the reference model of the reading rule), half from XML
# exports with a dictionary of their tokens (the XML reader: whole against
# pieces, well-formed records).
#   bash scripts/fuzz.sh [SECONDS]     (default 60)
# Fails on any crash, sanitizer report or difference; the input that caused
# it is left in build/fuzz/ as crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

# libFuzzer adds what it finds to the first folder; the seeds stay as they are.
run() {  # NAME SECONDS SEEDS [OPTIONS...]
    local name=$1 time=$2 seeds=$3
    shift 3
    local work=build/fuzz/corpus-$name log=build/fuzz/last-run-$name.log status=0
    mkdir -p "$work"
    (cd build/fuzz && ./tests/fuzz/conversion_fuzzer -max_total_time="$time" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$@" "corpus-$name" "../../$seeds") >"$log" 2>&1 || status=$?
    echo "--- $name"
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "Fuzzing failed (status $status); see $log"
        exit 1
    fi
}
run lines $(( (seconds + 1) / 2 )) tests/fuzz/corpus
run xml $(( seconds / 2 )) tests/fuzz/xml-corpus -dict=../../tests/fuzz/xml.dict
echo "Fuzzing: no crash, no sanitizer report, no difference in ${seconds} s"
