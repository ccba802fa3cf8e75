#!/usr/bin/env bash
# Converter benchmark. Generates a FritzBox-like phonebook of 5 million lines
# (about 165 MB) and times, after a warm-up, medians compared:
#   cat         copying the file (the floor: reading and writing every byte),
#   zedulo      zedulo-convert, 11 runs in turn with cat's (zedulo, cat,
#               zedulo, cat, ...), and their ratio pair by pair,
#   fgets loop  a plain fgets/strtok/fprintf converter (bench/fgets_baseline.cpp),
#               5 runs.
# Then an XML backup of about 170 MB, zedulo-convert against expat's own
# checker xmlwf reading it (5 pairs in turn), and zedulo-convert's peak memory
# on a 1 MB and a 1 GB phonebook, in lines and in XML.
# Inputs go to build/bench-data (or $ZEDULO_BENCH_DIR), about 2.5 GB of them;
# outputs to /dev/shm (or $ZEDULO_BENCH_OUT), so that the disk's write-back of
# earlier runs does not blur the figures. The input is read from disk, not
# from /dev/shm, so that cat cannot hand the copy to the kernel in one call.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default -DZEDULO_BENCH=ON >/dev/null
cmake --build --preset default -j2 --target \
    zedulo-convert zedulo-bench-fgets zedulo-bench-generate zedulo-bench-measure >/dev/null

bin=build/default
data=${ZEDULO_BENCH_DIR:-build/bench-data}
out=${ZEDULO_BENCH_OUT:-/dev/shm/zedulo-bench}
mkdir -p "$data" "$out"
trap 'rm -rf "$out"' EXIT

generate() {  # [--xml] COUNT FILE
    [ -s "${*: -1}" ] || "$bin/bench/zedulo-bench-generate" "$@"
}
measure() {  # RUNS COMMAND... [--versus COMMAND...]: see bench/measure.cpp
    "$bin/bench/zedulo-bench-measure" "$@"
}

generate 5000000 "$data/phonebook-5M.adr"
size=$(stat -c %s "$data/phonebook-5M.adr")
echo "Input: $data/phonebook-5M.adr, 5000000 lines, $size bytes"
echo

{
    read -r zed_s zed_min zed_max zed_kib zed_user zed_sys
    read -r cat_s cat_min cat_max cat_kib cat_user cat_sys
    read -r ratio ratio_min ratio_max
} < <(measure 11 -- "$bin/cli/zedulo-convert" "$data/phonebook-5M.adr" "$out/out-zedulo.txt" \
    --versus sh -c 'exec cat "$1" >"$2"' sh "$data/phonebook-5M.adr" "$out/out-cat.txt")
read -r fgets_s fgets_min fgets_max fgets_kib fgets_user fgets_sys < <(measure 5 -- \
    "$bin/bench/zedulo-bench-fgets" "$data/phonebook-5M.adr" "$out/out-fgets.txt")

row() {  # NAME MEDIAN MIN MAX KIB USER SYSTEM
    awk -v n="$1" -v s="$2" -v lo="$3" -v hi="$4" -v k="$5" -v u="$6" -v y="$7" -v b="$size" \
        'BEGIN { printf "%-12s %7.3f s  (%.3f-%.3f)  %7.1f MB/s  %6d KiB  %6.3f s  %6.3f s\n",
                 n, s, lo, hi, b / s / 1e6, k, u, y }'
}
echo "command       median   (min-max)         throughput   memory     user    system"
row "cat" "$cat_s" "$cat_min" "$cat_max" "$cat_kib" "$cat_user" "$cat_sys"
row "fgets loop" "$fgets_s" "$fgets_min" "$fgets_max" "$fgets_kib" "$fgets_user" "$fgets_sys"
row "zedulo" "$zed_s" "$zed_min" "$zed_max" "$zed_kib" "$zed_user" "$zed_sys"
awk -v f="$fgets_s" -v z="$zed_s" -v r="$ratio" -v lo="$ratio_min" -v hi="$ratio_max" 'BEGIN {
    printf "\nzedulo is %.2f times as fast as the fgets loop (goal: at least 3)\n", f / z
    printf "zedulo takes %.2f times the time of cat, median of 11 pairs run in turn" \
           " (%.2f-%.2f; goal: at most 1.25)\n", r, lo, hi }'

echo
generate --xml 550000 "$data/phonebook-170MB.xml"
xml_size=$(stat -c %s "$data/phonebook-170MB.xml")
echo "Input: $data/phonebook-170MB.xml, 550000 contacts, $xml_size bytes"
{
    read -r zedx_s zedx_min zedx_max zedx_kib zedx_user zedx_sys
    read -r xmlwf_s xmlwf_min xmlwf_max xmlwf_kib xmlwf_user xmlwf_sys
    read -r xratio xratio_min xratio_max
} < <(measure 5 -- "$bin/cli/zedulo-convert" "$data/phonebook-170MB.xml" "$out/out-xml.txt" \
    --versus xmlwf "$data/phonebook-170MB.xml")
size=$xml_size
row "xmlwf" "$xmlwf_s" "$xmlwf_min" "$xmlwf_max" "$xmlwf_kib" "$xmlwf_user" "$xmlwf_sys"
row "zedulo" "$zedx_s" "$zedx_min" "$zedx_max" "$zedx_kib" "$zedx_user" "$zedx_sys"
awk -v r="$xratio" -v lo="$xratio_min" -v hi="$xratio_max" 'BEGIN {
    printf "\nzedulo takes %.2f times the time of xmlwf on XML, median of 5 pairs run in turn" \
           " (%.2f-%.2f; goal: at most 1.5)\n", r, lo, hi }'

echo
generate 30000 "$data/phonebook-1MB.adr"
generate 30000000 "$data/phonebook-1GB.adr"
read -r _ _ _ small_kib _ < <(measure 1 -- "$bin/cli/zedulo-convert" "$data/phonebook-1MB.adr" "$out/out-1MB.txt")
read -r _ _ _ large_kib _ < <(measure 1 -- "$bin/cli/zedulo-convert" "$data/phonebook-1GB.adr" "$out/out-1GB.txt")
echo "Peak memory: $(stat -c %s "$data/phonebook-1MB.adr") bytes in: $small_kib KiB;" \
     "$(stat -c %s "$data/phonebook-1GB.adr") bytes in: $large_kib KiB;" \
     "difference $((large_kib - small_kib)) KiB (goal: under 1024)"
generate --xml 3400 "$data/phonebook-1MB.xml"
generate --xml 3400000 "$data/phonebook-1GB.xml"
read -r _ _ _ small_kib _ < <(measure 1 -- "$bin/cli/zedulo-convert" "$data/phonebook-1MB.xml" "$out/out-1MB.txt")
read -r _ _ _ large_kib _ < <(measure 1 -- "$bin/cli/zedulo-convert" "$data/phonebook-1GB.xml" "$out/out-1GB.txt")
echo "Peak memory, XML: $(stat -c %s "$data/phonebook-1MB.xml") bytes in: $small_kib KiB;" \
     "$(stat -c %s "$data/phonebook-1GB.xml") bytes in: $large_kib KiB;" \
     "difference $((large_kib - small_kib)) KiB (goal: under 1024)"
