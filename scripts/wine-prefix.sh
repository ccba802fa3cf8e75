#!/usr/bin/env bash
# Prepares the Wine prefix the Windows tests run in (build/wine, or the
# folder given): a new prefix, the TrueType fonts of Wine copied in (Wine 8
# does not load them by itself, and without Tahoma dialogs get other
# metrics), windows framed by Wine itself as Windows frames them (there is no
# window manager on the test display), and a German locale for Wine's own
# dialogs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine32.sh
prefix=$(realpath -m "${1:-build/wine}")

# wineboot sets up the 32-bit half of the prefix too (syswow64) by starting
# 32-bit helpers; on a machine that cannot run 32-bit programs these fail
# without a word and syswow64 stays empty. Such a prefix cannot run the
# 32-bit suite: where this machine can, it is made anew (a build folder may
# have come from another machine).
if [ -f "$prefix/system.reg" ] && can_run_32bit &&
    [ -z "$(ls -A "$prefix/drive_c/windows/syswow64" 2>/dev/null)" ]; then
    echo "wine-prefix.sh: $prefix was made without 32-bit execution; making it anew"
    rm -rf "$prefix"
fi

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
