#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# both programs, the help page, the manual pages, the copyright file and
# changelog, a valid desktop entry, the icons, and software-centre metadata
# that is valid, launches that desktop entry and names this version as its
# newest release.
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

id=org.zedulo.Zedulo
cmake --install "$build" --prefix "$prefix" >/dev/null
failed=0
for file in bin/zedulo bin/zedulo-convert share/zedulo/Zedulo.html share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/man/man1/zedulo.1.gz share/man/man1/zedulo-convert.1.gz \
            share/doc/zedulo/copyright share/doc/zedulo/changelog.gz \
            share/icons/hicolor/16x16/apps/zedulo.png share/icons/hicolor/32x32/apps/zedulo.png \
            share/icons/hicolor/48x48/apps/zedulo.png; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing: $file"
        failed=1
    fi
done
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || failed=1
grep -qx 'Comment=klingeo Telefonbuch Konverter' "$desktop" || {
    echo "desktop entry without the program's description"
    failed=1
}

# No error, warning or hint short of pedantic, in the file and in the tree.
appstreamcli validate --no-net --strict "$metainfo" || failed=1
appstreamcli validate-tree --no-net --strict "$prefix" || failed=1
[ "$(xmllint --xpath 'string(/component/id)' "$metainfo")" = "$id" ] || {
    echo "metadata's id is not $id"
    failed=1
}
launchable=$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo")
[ -n "$launchable" ] && [ -f "$prefix/share/applications/$launchable" ] || {
    echo "metadata launches '$launchable', which is not installed"
    failed=1
}
newest=$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$metainfo")
[ "$newest" = "$version" ] || {
    echo "metadata's newest release is '$newest', not $version"
    failed=1
}

"$prefix/bin/zedulo-convert" --version | grep -qx "zedulo-convert $version" || failed=1
[ "$failed" = 0 ] && echo "installation complete and valid"
exit "$failed"
