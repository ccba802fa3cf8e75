#!/usr/bin/env bash
# Takes the README's pictures of the Windows program: the real dialogs,
# drawn by Windows' code under Wine on a virtual display, into docs/images/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zedulo-screenshots
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
WINEPREFIX=$PWD/build/wine WINEDEBUG=-all LANG=de_DE.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    /usr/lib/wine/wine64 build/windows/tools/zedulo-screenshots.exe "Z:${shots//\//\\}"
python3 scripts/bmp_to_png.py "$shots"/*.bmp
cp "$shots"/*.png docs/images/
ls -l docs/images/*-windows.png
