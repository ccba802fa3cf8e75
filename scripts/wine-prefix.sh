#!/usr/bin/env bash
# Prepares the Wine prefix the Windows tests run in (build/wine, or the
# folder given): a new prefix, the TrueType fonts of Wine copied in (Wine 8
# does not load them by itself, and without Tahoma dialogs get other
# metrics), windows framed by Wine itself as Windows frames them (there is no
# window manager on the test display), and a German locale for Wine's own
# dialogs.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath -m "${1:-build/wine}")

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
    new=1
fi
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -u /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
if [ -n "${new:-}" ]; then
    WINEPREFIX=$prefix WINEDEBUG=-all /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1
    # The first program after the fonts came finishes setting the prefix up
    # (its font cache among it); done here, not by the first test under its
    # time limit.
    WINEPREFIX=$prefix WINEDEBUG=-all /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
fi
