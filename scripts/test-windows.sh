#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 and runs their tests under Wine
# on a virtual display; builds the 32-bit programs too (they cannot run on
# these machines) and makes both ZIP archives. Part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/wine-prefix.sh

export WINEPREFIX=$PWD/build/wine WINEDEBUG=-all
# One Wine server for all the test programs, so that each starts at once
# (one that is running already serves as well).
/usr/lib/wine/wineserver -p || true
trap '/usr/lib/wine/wineserver -k || true' EXIT

echo "=== Windows 64 bit: build and test under Wine"
cmake --preset windows
cmake --build --preset windows -j2
xvfb-run -a -s "-screen 0 1280x800x24" ctest --preset windows -j2
cmake --build --preset windows --target package

echo "=== Windows 32 bit: build"
cmake --preset windows-i686
cmake --build --preset windows-i686 -j2
cmake --build --preset windows-i686 --target package
ls -l build/windows/zedulo-*-win64.zip build/windows-i686/zedulo-*-win32.zip
