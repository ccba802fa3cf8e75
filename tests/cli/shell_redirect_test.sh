#!/usr/bin/env bash
# The converter with standard input and output redirected into files by a
# shell, as a user types it: a file on both ends is converted; the input
# file as the output, or appended to through standard output, is refused and
# stays as it was. Under Wine such handles come from the shell's own file
# descriptors and answer fewer questions than files Windows opens.
#   shell_redirect_test.sh PROGRAM [RUNNER...]    (RUNNER: Wine's loader)
set -uo pipefail
program=$1
shift
run=("$@" "$program")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

phonebook=$'Name;Nummer\r\nAnna;0301\r\nBob;+49\r\nCarl;0402;x\r\n'
records=$'0301;Anna\n0402;Carl\n'
refused='Kann Ausgabedatei nicht öffnen'
failed=0

# check WHAT STATUS STDERR FILE CONTENT: the last run's status and standard
# error, and what FILE holds now.
check() {
    local what=$1 status=$2 err=$3 file=$4 content=$5
    [ "$got" = "$status" ] || { echo "$what: status $got, not $status"; failed=1; }
    [ "$(cat err)" = "$err" ] || { echo "$what: said '$(cat err)', not '$err'"; failed=1; }
    [ "$(cat "$file"; echo .)" = "$content." ] || { echo "$what: $file holds '$(cat "$file")'"; failed=1; }
}

printf '%s' "$phonebook" > in.adr
"${run[@]}" - in.adr < in.adr > out 2> err; got=$?
check "the input read from standard input, the same file as output" 1 "$refused" in.adr "$phonebook"

"${run[@]}" in.adr - >> in.adr 2> err; got=$?
check "the input appended to through standard output" 1 "$refused" in.adr "$phonebook"

"${run[@]}" in.adr - > liste.txt 2> err; got=$?
check "a file into standard output redirected into a file" 0 "2 Einträge konvertiert" liste.txt "$records"

rm liste.txt
"${run[@]}" - - < in.adr > liste.txt 2> err; got=$?
check "standard input to standard output, both files" 0 "2 Einträge konvertiert" liste.txt "$records"

echo OLD > alt.txt
"${run[@]}" - alt.txt < in.adr > out 2> err; got=$?
check "standard input from a file into another file" 0 "" alt.txt "$records"

exit $failed
