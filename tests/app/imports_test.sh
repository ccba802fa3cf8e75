#!/usr/bin/env bash
# The Windows programs import only Windows' own DLLs: nothing of the
# compiler's (libstdc++, libgcc, winpthread) needs to be shipped beside them.
# And they are of the build's width (FORMAT: pei-x86-64 or pei-i386).
#   imports_test.sh OBJDUMP FORMAT PROGRAM...
set -euo pipefail
objdump=$1
format=$2
shift 2
windows_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ole32|msvcrt|version|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
failed=0
for program in "$@"; do
    if ! "$objdump" -f "$program" | grep -q "file format $format\$"; then
        echo "$program is not $format"
        failed=1
    fi
    imports=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
    if [ -z "$imports" ]; then
        echo "$program: no imports read"
        failed=1
    fi
    for dll in $imports; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$windows_dlls"; then
            echo "$program imports $dll, which Windows does not have"
            failed=1
        fi
    done
    echo "$(basename "$program"):" $imports
done
exit "$failed"
