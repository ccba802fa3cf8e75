#!/usr/bin/env bash
# The Windows programs import only Windows' own DLLs: nothing of the
# compiler's (libstdc++, libgcc, winpthread) needs to be shipped beside them.
# And they are of the build's width (FORMAT: pei-x86-64 or pei-i386).
# The converter alone talks to the FritzBox: it, and no other program,
# imports WinHTTP, crypt32 (the box's certificate) and bcrypt (MD5).
#   imports_test.sh OBJDUMP FORMAT PROGRAM...
set -euo pipefail
objdump=$1
format=$2
shift 2
windows_dlls='kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ole32|msvcrt|version|ucrtbase|api-ms-win-[a-z0-9-]+'
router_dlls='winhttp|crypt32|bcrypt'
failed=0
for program in "$@"; do
    if ! "$objdump" -f "$program" | grep -q "file format $format\$"; then
        echo "$program is not $format"
        failed=1
    fi
    imports=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
    allowed="^($windows_dlls)\.dll\$"
    if [ "$(basename "$program")" = zedulo-convert.exe ]; then
        allowed="^($windows_dlls|$router_dlls)\.dll\$"
        for dll in ${router_dlls//|/ }; do
            echo "$imports" | tr 'A-Z' 'a-z' | grep -qx "$dll.dll" || { echo "$program does not import $dll.dll"; failed=1; }
        done
    fi
    if [ -z "$imports" ]; then
        echo "$program: no imports read"
        failed=1
    fi
    for dll in $imports; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "$program imports $dll, which Windows does not have"
            failed=1
        fi
    done
    echo "$(basename "$program"):" $imports
done
exit "$failed"
