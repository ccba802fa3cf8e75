#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64, 64 and 32 bit, and runs the
# tests of each width under Wine on a virtual display, one after the other
# (window tests of two suites on one display would take each other's focus);
# then makes the ZIP archives. The installers are built with the programs
# and tested by the suites. Part of scripts/test.sh.
#
# Where this machine cannot run 32-bit programs at all, the 32-bit programs
# are still built and packed (a build fault fails the run as anywhere), their
# tests are not started, and the run says so in one line at its end.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine32.sh

bash scripts/install-deps.sh --windows

not_run=
for preset in windows windows-i686; do
    if [ "$preset" = windows-i686 ] && ! can_run_32bit; then
        echo "=== Windows ($preset): build only"
        not_run=$(no_32bit_line)
        echo "$not_run"
    else
        echo "=== Windows ($preset): build and test under Wine"
    fi
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j2
    [ -n "$not_run" ] && [ "$preset" = windows-i686 ] || bash scripts/ctest-windows.sh "$preset" -j2
    cmake --build --preset "$preset" --target package
done
ls -l build/windows/zedulo-*-win64* build/windows-i686/zedulo-*-win32*
[ -z "$not_run" ] || echo "$not_run"
