#!/usr/bin/env bash
# The moment the Windows converter puts its output in place, under Wine: the
# Wine server, which renames the files, is held for three seconds at its
# first rename (strace), and the converter is killed meanwhile. Whatever the
# server then finishes, the output must stand, old or new and whole, and the
# hidden file must not stand beside it: one rename, not ReplaceFileW's three
# steps, of which only the first would be done.
#   replacement_kill_test.sh WINE WINESERVER PROGRAM   (WINEPREFIX set)
# Exit status 77: strace may not trace the server here (skipped).
set -uo pipefail
wine=$1
wineserver=$2
program=$3
dir=$(mktemp -d)
tracer=
converter=
trap '[ -n "$converter" ] && kill -9 $converter 2>/dev/null; [ -n "$tracer" ] && kill $tracer 2>/dev/null; rm -rf "$dir"' EXIT
cd "$dir"

# The server of this prefix works in a folder named for the prefix's device
# and inode; one is started if none runs yet.
"$wineserver" -p </dev/null >/dev/null 2>&1
serverFolder=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
server=
for _ in $(seq 50); do
    for pid in $(pgrep wineserver); do
        case $(readlink "/proc/$pid/cwd") in */"$serverFolder") server=$pid ;; esac
    done
    [ -n "$server" ] && break
    sleep 0.1
done
[ -n "$server" ] || { echo "no Wine server for $WINEPREFIX"; exit 1; }

printf 'Name;Nummer\r\nAnna;0301\r\nCarl;0402;x\r\n' > in.adr
records=$'0301;Anna\n0402;Carl\n'
echo OLD > out.txt

strace -qq -p "$server" -e trace=rename,renameat,renameat2 \
    -e inject=rename,renameat,renameat2:delay_enter=3000000:when=1 -o strace.log &
tracer=$!
for _ in $(seq 100); do
    grep -q '^TracerPid:[[:space:]]*[1-9]' "/proc/$server/status" && break
    kill -0 $tracer 2>/dev/null || { echo "strace cannot trace the Wine server here"; tracer=; exit 77; }
    sleep 0.05
done

"$wine" "$program" in.adr out.txt >/dev/null 2>&1 &
converter=$!
for _ in $(seq 200); do
    grep -q rename strace.log 2>/dev/null && break
    sleep 0.05
done
grep -q rename strace.log || { echo "the converter never renamed a file"; exit 1; }
kill -9 $converter
wait $converter 2>/dev/null
converter=
sleep 3.5  # the held rename is done by now
kill $tracer
wait $tracer 2>/dev/null
tracer=

failed=0
content=$(cat out.txt 2>/dev/null; echo .)
if [ ! -e out.txt ]; then
    echo "no out.txt after the kill"
    failed=1
elif [ "$content" != "OLD"$'\n'"." ] && [ "$content" != "$records." ]; then
    echo "out.txt is neither old nor new: $(cat out.txt)"
    failed=1
fi
left=$(ls -A | grep -v -x -e in.adr -e out.txt -e strace.log)
[ -z "$left" ] || { echo "left beside the output: $left"; failed=1; }
exit $failed
