#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the emulator CTest uses
# for the windows preset. WINEPREFIX comes from the test preset (a prefix
# prepared by scripts/wine-prefix.sh); Wine's own chatter is off.
export WINEDEBUG=${WINEDEBUG:--all}
exec /usr/lib/wine/wine64 "$@"
