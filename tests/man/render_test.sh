#!/usr/bin/env bash
# Renders the built manual pages as a user and as Debian's tools would:
# groff with every warning, man-db on the compressed page (also with its
# warnings on, as lintian runs it), and lexgrog, which reads the NAME section
# for whatis and apropos. Fails on any warning, a missing section, text left
# unconfigured or a NAME line man-db cannot read.
#   render_test.sh MAN_BUILD_DIR VERSION
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
mandir=$1
version=$2
export LC_ALL=C.UTF-8 MANWIDTH=80

failed=0
fail() {
    echo "$page(1): $*"
    failed=1
}

sections=(BEZEICHNUNG ÜBERSICHT BESCHREIBUNG OPTIONEN EXIT-STATUS DATEIEN BEISPIELE "SIEHE AUCH")
for page in zedulo zedulo-convert; do
    source=$mandir/$page.1
    compressed=$mandir/$page.1.gz
    [ -s "$source" ] && [ -s "$compressed" ] || { fail "not built"; continue; }
    zcmp -s "$source" "$compressed" || fail "the compressed page is not the page"

    warnings=$(groff -man -ww -z "$source" 2>&1) || fail "groff failed"
    [ -z "$warnings" ] || fail "groff warns: $warnings"

    warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$compressed" 2>&1 >/dev/null) || fail "man failed"
    [ -z "$warnings" ] || fail "man warns: $warnings"

    rendered=$(man -l "$compressed" 2>&1) || fail "man -l failed"
    # The required section headings, each once and in this order; others
    # (UMGEBUNG) may stand between them.
    expected=$(printf '%s\n' "${sections[@]}")
    headings=$(printf '%s\n' "$rendered" | grep -E '^[[:upper:]ÄÖÜ]' | sed '1d;$d' | grep -Fx "$expected")
    [ "$headings" = "$expected" ] || fail "required sections are"$'\n'"$headings"$'\n'"instead of"$'\n'"$expected"
    printf '%s\n' "$rendered" | tail -n 1 | grep "Zedulo $version " >/dev/null || fail "footer without the version $version"
    if grep -q '@' <<<"$rendered"; then
        fail "text left unconfigured: $(printf '%s\n' "$rendered" | grep '@')"
    fi

    whatis=$(lexgrog "$compressed" 2>&1) || fail "lexgrog cannot read the NAME section: $whatis"
    [[ "$whatis" == *": \"$page - "* ]] || fail "whatis entry is $whatis"
done
[ "$failed" = 0 ] && echo "manual pages render without warnings"
exit "$failed"
