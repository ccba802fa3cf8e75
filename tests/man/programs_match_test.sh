#!/usr/bin/env bash
# The manual pages say what the programs say: zedulo-convert(1) has the
# synopsis, every option, every exit status and every quoted name and path of
# "zedulo-convert --help", and no option the program lacks; zedulo(1) quotes
# the message the dialog program gives without a display.
#   programs_match_test.sh ZEDULO_CONVERT ZEDULO MAN_BUILD_DIR
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
convert=$1
dialog=$2
mandir=$3
export LC_ALL=C.UTF-8 MANWIDTH=1000

failed=0
fail() {
    echo "$*"
    failed=1
}

# A page as man shows it, one paragraph a line, hyphens and dashes plain.
render() {
    man -l "$1" | sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g'
}
# One section of a rendered page, without its heading.
section() {
    printf '%s\n' "$1" | awk -v name="$2" '/^[^ ]/ { inside = ($0 == name); next } inside'
}

help=$("$convert" --help)
page=$(render "$mandir/zedulo-convert.1")

synopsis=$(printf '%s\n' "$help" | sed -n 's/^Aufruf: //p')
[ -n "$synopsis" ] || fail "--help has no 'Aufruf:' line"
section "$page" ÜBERSICHT | sed 's/^ *//' | grep -xF -- "$synopsis" >/dev/null ||
    fail "the page's synopsis lacks: $synopsis"

helpOptions=$(printf '%s\n' "$help" | sed -n 's/^  \(-[^ ]*\) .*/\1/p' | sort)
pageOptions=$(section "$page" OPTIONEN | sed -n 's/^       \(-[^ ]*\).*/\1/p' | sort)
[ -n "$helpOptions" ] || fail "--help lists no options"
[ "$helpOptions" = "$pageOptions" ] ||
    fail "options in --help:"$'\n'"$helpOptions"$'\n'"options in the page:"$'\n'"$pageOptions"

# "Exit-Status: 0 umgewandelt, 1 Umwandlung fehlgeschlagen, 2 falscher Aufruf."
statusLine=$(printf '%s\n' "$help" | sed -n 's/^Exit-Status: //p')
[ -n "$statusLine" ] || fail "--help has no 'Exit-Status:' line"
helpStatuses=$(printf '%s\n' "$statusLine" | grep -oE '(^|, )[0-9]+ ' | tr -dc '0-9\n' | sort)
pageStatusSection=$(section "$page" EXIT-STATUS)
pageStatuses=$(printf '%s\n' "$pageStatusSection" | sed -n 's/^       \([0-9][0-9]*\) .*/\1/p' | sort)
[ "$helpStatuses" = "$pageStatuses" ] ||
    fail "exit statuses in --help:"$'\n'"$helpStatuses"$'\n'"in the page:"$'\n'"$pageStatuses"
while IFS= read -r entry; do
    status=${entry%% *}
    meaning=${entry#* }
    printf '%s\n' "$pageStatusSection" | grep "^       $status " | grep -iF -- "$meaning" >/dev/null ||
        fail "the page's exit status $status does not say \"$meaning\""
done < <(printf '%s\n' "${statusLine%.}" | sed 's/, /\n/g')

# Status 1 after a conversion that succeeded: the message that says so is
# explained in --help and under status 1 in the page.
fullMessage=$("$convert" --version 2>&1 >/dev/full | sed 's/^zedulo-convert: //') || true
[ -n "$fullMessage" ] || fail "no message on a full standard output"
grep -qF -- "\"$fullMessage\"" <<<"$help" || fail "--help does not explain \"$fullMessage\""
printf '%s\n' "$pageStatusSection" | grep "^       1 " | grep -qF -- "$fullMessage" ||
    fail "the page's exit status 1 does not explain \"$fullMessage\""

# Names and paths: "phonebook.txt", "-", /dev/stdin ...
while IFS= read -r name; do
    grep -qF -- "$name" <<<"$page" || fail "the page never names $name"
done < <(printf '%s\n' "$help" | grep -oE '"[^"]+"|/[a-z]+/[a-z]+' | tr -d '"' | sort -u)

# The dialog program without a display.
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$dialog" 2>&1 >/dev/null) && status=0 || status=$?
[ -n "$message" ] || fail "zedulo said nothing without a display"
dialogPage=$(render "$mandir/zedulo.1")
section "$dialogPage" EXIT-STATUS | grep "^       $status " -A3 | grep -F -- "„$message“" >/dev/null ||
    fail "zedulo(1) does not give exit status $status with \"$message\""

[ "$failed" = 0 ] && echo "manual pages match the programs"
exit "$failed"
