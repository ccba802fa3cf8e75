# Sourced by the Windows scripts: whether this machine can run 32-bit
# programs at all. Some kernels cannot execute them (no 32-bit execution),
# and then neither can Wine's 32-bit half. Wine's 32-bit loader is asked for
# its version: the loader itself is a 32-bit Linux program, so its answer is
# the answer. ZEDULO_WINE32_LOADER names another program for a test of the
# scripts (one that fails, or a stub that answers).
ZEDULO_WINE32_LOADER=${ZEDULO_WINE32_LOADER:-/usr/lib/wine/wine}

can_run_32bit() {
    "$ZEDULO_WINE32_LOADER" --version </dev/null >/dev/null 2>&1
}

# The one line a run prints where the 32-bit suite could not be run; the
# argument says what became of the suite (default: built but not run).
no_32bit_line() {
    echo "32-bit programs cannot run on this machine (no 32-bit execution): the windows-i686 suite ${1:-was built but not run}"
}
