#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 and runs their tests under Wine
# on a virtual display; builds the 32-bit programs too (they cannot run on
# these machines) and makes both ZIP archives. Part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows

echo "=== Windows 64 bit: build and test under Wine"
cmake --preset windows
cmake --build --preset windows -j2
bash scripts/ctest-windows.sh -j2
cmake --build --preset windows --target package

echo "=== Windows 32 bit: build"
cmake --preset windows-i686
cmake --build --preset windows-i686 -j2
cmake --build --preset windows-i686 --target package
ls -l build/windows/zedulo-*-win64.zip build/windows-i686/zedulo-*-win32.zip
