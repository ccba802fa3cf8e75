#!/usr/bin/env bash
# Runs the Windows tests of build/windows under Wine on a virtual display:
#   bash scripts/ctest-windows.sh [CTEST OPTIONS...]
# One Wine server serves all the test programs, so that each starts at once.
# Wine's own long-lived helpers (the desktop among them) are started before
# the tests, with nothing of the tests' output open: started by a test
# program they would keep CTest waiting for its output to end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/wine-prefix.sh
export WINEPREFIX=$PWD/build/wine WINEDEBUG=-all
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true  # one running serves as well
trap '/usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1
    ctest --preset windows "$@"' ctest-windows "$@"
