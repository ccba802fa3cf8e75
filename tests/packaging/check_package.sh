#!/usr/bin/env bash
# Checks a built Debian package without installing it: its name and control
# fields, Depends against the libraries the programs really need, its exact
# contents with owners and modes, stripped programs, the copyright file
# against LICENSE, the changelog's version, and lintian (no error, no
# warning).
#   check_package.sh DEB VERSION SOURCE_DIR
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
deb=$1
version=$2
source=$3

failed=0
fail() {
    echo "$*"
    failed=1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "zedulo_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"

field() {
    dpkg-deb -f "$deb" "$1"
}
[ "$(field Package)" = zedulo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Maintainer)" = "Die Zedulo-Entwickler <zedulo@example.org>" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no extended description"

# Every library the programs link comes from a package in Depends, with the
# lowest version its symbols need (which only dpkg-shlibdeps knows), and so
# does the libcurl zedulo-convert loads for a download; Qt's German texts are
# the one dependency without a library.
dpkg-deb -x "$deb" "$work/root"
depends=$(field Depends)
names=$(printf '%s\n' "$depends" | sed 's/, /\n/g')
grep -qx 'qt6-translations-l10n' <<<"$names" || fail "Depends lacks qt6-translations-l10n: $depends"
needed=$(objdump -p "$work/root/usr/bin/zedulo" "$work/root/usr/bin/zedulo-convert" | awk '$1 == "NEEDED" { print $2 }' | sort -u)
[ -n "$needed" ] || fail "the programs link no library"
# zedulo-convert loads libcurl only for a download from the FritzBox.
grep -q 'libcurl\.so\.4' "$work/root/usr/bin/zedulo-convert" || fail "zedulo-convert no longer names libcurl.so.4"
needed+=$'\n'libcurl.so.4
# The package that holds a library, by its path with or without /usr (the
# folders are merged, but dpkg knows each file by one of the two).
owner_of() {
    local path=$1
    for candidate in "$path" "/usr$path" "${path#/usr}"; do
        dpkg -S "$candidate" 2>/dev/null | sed -n '1s/:.*//p' | grep . && return 0
    done
    return 1
}
for soname in $needed; do
    library=$(ldconfig -p | awk -v so="$soname" '$1 == so && !found { print $NF; found = 1 }')
    owner=$(owner_of "$library") || { fail "no package holds $soname ($library)"; continue; }
    versioned=0
    while IFS= read -r name; do
        [[ "$name" == "$owner (>= "*")" ]] && versioned=1
    done <<<"$names"
    [ "$versioned" = 1 ] || fail "Depends lacks a versioned $owner for $soname: $depends"
done

# Exactly these files, owned by root; programs 0755, everything else 0644.
expected="./usr/bin/zedulo 755
./usr/bin/zedulo-convert 755
./usr/share/applications/org.zedulo.Zedulo.desktop 644
./usr/share/doc/zedulo/changelog.gz 644
./usr/share/doc/zedulo/copyright 644
./usr/share/icons/hicolor/16x16/apps/zedulo.png 644
./usr/share/icons/hicolor/32x32/apps/zedulo.png 644
./usr/share/icons/hicolor/48x48/apps/zedulo.png 644
./usr/share/man/man1/zedulo-convert.1.gz 644
./usr/share/man/man1/zedulo.1.gz 644
./usr/share/metainfo/org.zedulo.Zedulo.metainfo.xml 644
./usr/share/zedulo/Zedulo.html 644"
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { mode = 0; for (i = 2; i <= 10; i++) mode = mode * 2 + (substr($1, i, 1) != "-");
                          printf "%s %o\n", $6, mode }' <<<"$listing" | sort)
[ "$files" = "$expected" ] || fail "contents differ:"$'\n'"$(diff <(echo "$expected") <(echo "$files") || true)"
awk '$2 != "root/root" { print "not owned by root: " $0; bad = 1 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "folder mode: " $0; bad = 1 }
     END { exit bad }' <<<"$listing" || failed=1

for program in zedulo zedulo-convert; do
    file -b "$work/root/usr/bin/$program" | grep -q ', stripped$' || fail "$program is not stripped"
done

# The copyright file: machine-readable, with LICENSE's holder and terms.
copyright=$work/root/usr/share/doc/zedulo/copyright
if [ -f "$copyright" ]; then
    head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "copyright file not in the machine-readable format"
    holder=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
    grep -qx "Copyright: $holder" "$copyright" || fail "copyright file does not name '$holder'"
    paragraph=$(sed -n '/^License: Expat$/,$p' "$copyright" | sed '1d')
    grep -qvE '^ [^ ]' <<<"$paragraph" && fail "copyright file's licence has lines that are empty or not indented by one space"
    terms=$(sed 's/^ //; s/^\.$//' <<<"$paragraph")
    licenseTerms=$(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE")
    [ -n "$licenseTerms" ] && [ "$terms" = "$licenseTerms" ] || fail "copyright file's terms are not those of LICENSE"
else
    fail "no copyright file"
fi

changelog=$work/root/usr/share/doc/zedulo/changelog.gz
if [ -f "$changelog" ]; then
    zcat "$changelog" >"$work/changelog"
    changelogVersion=$(dpkg-parsechangelog -l "$work/changelog" -S Version) || fail "changelog unreadable"
    [ "$changelogVersion" = "$version" ] || fail "changelog's newest entry is ${changelogVersion:-none}, not $version"
else
    fail "no changelog"
fi

# lintian: no error and no warning.
status=0
report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
report=$(grep -v '^running with root privileges' <<<"$report" || true)
[ -z "$report" ] || echo "$report"
[ "$status" = 0 ] || fail "lintian failed with status $status"
grep -qE '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

if [ "$failed" = 0 ]; then
    echo "package $(basename "$deb") complete and lintian-clean, $(stat -c %s "$deb") bytes"
    echo "Depends: $depends"
fi
exit "$failed"
