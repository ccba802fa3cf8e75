#!/usr/bin/env bash
# Runs the Windows tests of a build under Wine on a virtual display:
#   bash scripts/ctest-windows.sh [PRESET] [CTEST OPTIONS...]
# PRESET is windows (64 bit, the default) or windows-i686 (32 bit); each has
# a Wine prefix of its own, build/wine and build/wine-i686.
# One Wine server serves all the test programs, so that each starts at once.
# Wine's own long-lived helpers (the desktop among them) are started before
# the tests, with nothing of the tests' output open: started by a test
# program they would keep CTest waiting for its output to end.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=windows
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
    preset=$1
    shift
fi
case "$preset" in
    windows | windows-i686) ;;
    *) echo "ctest-windows.sh: unknown preset '$preset' (windows or windows-i686)" >&2; exit 2 ;;
esac
source scripts/wine32.sh
# Asked for by name, a suite that cannot run must not look as if it ran.
if [ "$preset" = windows-i686 ] && ! can_run_32bit; then
    echo "ctest-windows.sh: $(no_32bit_line "was not run")" >&2
    exit 1
fi
prefix=build/wine${preset#windows}
bash scripts/wine-prefix.sh "$prefix"
export WINEPREFIX=$PWD/$prefix WINEDEBUG=-all
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true  # one running serves as well
trap '/usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    preset=$1
    shift
    /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1
    ctest --preset "$preset" "$@"' ctest-windows "$preset" "$@"
