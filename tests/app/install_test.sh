#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# both programs, the help page, a valid desktop entry and the icons.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
failed=0
for file in bin/zedulo bin/zedulo-convert share/zedulo/Zedulo.html share/applications/zedulo.desktop \
            share/icons/hicolor/16x16/apps/zedulo.png share/icons/hicolor/32x32/apps/zedulo.png \
            share/icons/hicolor/48x48/apps/zedulo.png; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing: $file"
        failed=1
    fi
done
desktop-file-validate "$prefix/share/applications/zedulo.desktop" || failed=1
grep -qx 'Comment=klingeo Telefonbuch Konverter' "$prefix/share/applications/zedulo.desktop" || {
    echo "desktop entry without the program's description"
    failed=1
}
"$prefix/bin/zedulo-convert" --version | grep -qx 'zedulo-convert 1.0.0.2' || failed=1
[ "$failed" = 0 ] && echo "installation complete and valid"
exit "$failed"
