#!/usr/bin/env bash
# Takes the README's pictures of the Windows program: the real dialogs,
# drawn by Windows' code under Wine on a virtual display, into docs/images/;
# and the installer's first page, taken from the display by ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows --pictures
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target zedulo-screenshots installer
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
WINEPREFIX=$PWD/build/wine WINEDEBUG=-all LANG=de_DE.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    /usr/lib/wine/wine64 build/windows/tools/zedulo-screenshots.exe "Z:${shots//\//\\}"
python3 scripts/bmp_to_png.py "$shots"/*.bmp
cp "$shots"/*.png docs/images/

# The installer, started in a prefix of its own (it installs nothing: it is
# ended on its first page), taken as soon as its window shows, cut to it.
bash scripts/wine-prefix.sh "$shots/wine"
WINEPREFIX=$shots/wine WINEDEBUG=-all LANG=de_DE.UTF-8 WINEDLLOVERRIDES=winemenubuilder.exe=d \
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    /usr/lib/wine/wine64 "$1" </dev/null >/dev/null 2>&1 &
    for second in $(seq 60); do
        sleep 1
        size=$(import -window root -trim -format "%wx%h" info:- 2>/dev/null || true)
        case $size in "" | 1x1) ;; *) break ;; esac
    done
    sleep 2  # painted in full
    import -window root -trim +repage docs/images/installer-windows.png
    /usr/lib/wine/wineserver -k' installer-shot build/windows/zedulo-*-win64-setup.exe
ls -l docs/images/*-windows.png
