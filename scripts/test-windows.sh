#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64, 64 and 32 bit, and runs the
# tests of each width under Wine on a virtual display, one after the other
# (window tests of two suites on one display would take each other's focus);
# then makes the ZIP archives. The installers are built with the programs
# and tested by the suites. Part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows

for preset in windows windows-i686; do
    echo "=== Windows ($preset): build and test under Wine"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j2
    bash scripts/ctest-windows.sh "$preset" -j2
    cmake --build --preset "$preset" --target package
done
ls -l build/windows/zedulo-*-win64* build/windows-i686/zedulo-*-win32*
