#!/usr/bin/env bash
# Installs the Debian package for real with apt-get, uses the installed
# programs and manual pages, then removes the package with --purge and checks
# that none of its files is left. Needs root and changes the machine, so only
# scripts/test.sh runs it, never a plain ctest.
#   install_package_test.sh DEB VERSION SOURCE_DIR
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
deb=$(realpath "$1")
version=$2
source=$3
export DEBIAN_FRONTEND=noninteractive

if [ "$(id -u)" != 0 ]; then
    echo "installing a package needs root"
    exit 1
fi

failed=0
fail() {
    echo "$*"
    failed=1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

installed() {
    [ "$(dpkg-query -W -f='${Status}' zedulo 2>/dev/null || true)" = "install ok installed" ]
}
# Start from a machine without the package (a run that broke off may have
# left it).
if installed; then
    apt-get remove --purge -y -qq zedulo >/dev/null
fi

apt-get install -y -qq "$deb" >"$work/apt-install.log" 2>&1 || {
    cat "$work/apt-install.log"
    exit 1
}
installed || fail "zedulo is not installed"
[ "$(dpkg-query -W -f='${Version}' zedulo)" = "$version" ] || fail "installed version is not $version"

# The command-line converter, as installed.
[ "$(/usr/bin/zedulo-convert --version)" = "zedulo-convert $version" ] || fail "zedulo-convert --version is wrong"
cp "$source/examples/fritzbox-beispiel.adr" "$work/fritz.adr"
message=$(cd / && /usr/bin/zedulo-convert "$work/fritz.adr") || fail "zedulo-convert failed on the sample"
[ "$message" = "9 Einträge konvertiert" ] || fail "zedulo-convert said: $message"
cmp "$work/phonebook.txt" "$source/examples/fritzbox-beispiel.expected.txt" || fail "the sample converts wrongly"

# The dialog program without a display.
status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/zedulo 2>&1) || status=$?
[ "$status" = 1 ] && [ "$said" = "Keine grafische Anzeige gefunden." ] ||
    fail "zedulo without a display gave status $status and said: $said"

# man finds the pages under any locale (-L: the machine need not have the
# locale), and whatis knows them.
for locale in C C.UTF-8 de_DE.UTF-8 de_AT.UTF-8 en_US.UTF-8 fr_FR.UTF-8; do
    for page in zedulo zedulo-convert; do
        where=$(man -L "$locale" -w "$page" 2>&1) || true
        [ "$where" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page under $locale: $where"
    done
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -P cat zedulo-convert 2>&1 | grep -q '^BEZEICHNUNG$' ||
    fail "man zedulo-convert shows no page"
mandb -q 2>/dev/null || true
whatis zedulo-convert 2>&1 | grep -q '^zedulo-convert (1) *- FritzBox-Telefonbuch' ||
    fail "whatis zedulo-convert: $(whatis zedulo-convert 2>&1)"

# Remove it again: every file it brought goes. Folders that other packages
# share (hicolor's, man1) stay; the package's own go too.
dpkg -L zedulo >"$work/paths"
while IFS= read -r path; do
    [ -d "$path" ] || echo "$path"
done <"$work/paths" >"$work/files"
[ -s "$work/files" ] || fail "dpkg lists no files of zedulo"
apt-get remove --purge -y -qq zedulo >"$work/apt-remove.log" 2>&1 || {
    cat "$work/apt-remove.log"
    exit 1
}
[ -z "$(dpkg-query -W -f='${Status}' zedulo 2>/dev/null || true)" ] ||
    fail "zedulo is still known to dpkg: $(dpkg-query -W -f='${Status}' zedulo)"
while IFS= read -r path; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "left behind: $path"
done <"$work/files"
for folder in /usr/share/doc/zedulo /usr/share/zedulo; do
    [ ! -e "$folder" ] || fail "left behind: $folder"
done

[ "$failed" = 0 ] && echo "package installed, used and removed without a trace ($(wc -l <"$work/files") files)"
exit "$failed"
