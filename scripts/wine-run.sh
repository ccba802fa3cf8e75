#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the emulator CTest uses
# for the windows presets (wine64 starts 32-bit programs with Wine's 32-bit
# half). WINEPREFIX comes from the test preset (a prefix prepared by
# scripts/wine-prefix.sh); Wine's own chatter is off.
#
# Now and then (about once in a thousand starts with two tests at a time)
# Wine 8 ends a program with a failure, and without a word, before any of its
# code has run. Every test program notes its start in the file named by
# ZEDULO_STARTED, so a program that failed without having started is started
# again, at most twice, and said so on standard error. A test that ran and
# failed is never run again.
export WINEDEBUG=${WINEDEBUG:--all}
started=$(mktemp)
trap 'rm -f "$started"' EXIT
export ZEDULO_STARTED="Z:${started//\//\\}"
for attempt in 1 2 3; do
    rm -f "$started"
    /usr/lib/wine/wine64 "$@"
    status=$?
    if [ "$status" -eq 0 ] || [ -e "$started" ]; then
        exit "$status"
    fi
    echo "wine-run.sh: Wine ended $1 with status $status before it started (attempt $attempt)" >&2
done
exit "$status"
