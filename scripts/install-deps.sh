#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
# Skips apt-get when everything is there already. With --windows it also
# installs 32-bit Wine and NSIS (with --windows --pictures ImageMagick too)
# and prepares the Wine prefix the Windows tests run in
# (scripts/wine-prefix.sh: Wine's fonts, the German locale).
set -euo pipefail

packages=(
    cmake g++ make ccache
    libgtest-dev libgmock-dev libexpat1-dev expat
    libcurl4-openssl-dev python3 openssl
    clang libclang-rt-14-dev
    qt6-base-dev qt6-translations-l10n fonts-dejavu-core
    binutils-mingw-w64-i686
    desktop-file-utils
    appstream libxml2-utils man-db groff-base dpkg-dev file lintian
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine64 wine fonts-wine xvfb xauth locales e2fsprogs strace
)

# Installs those of the given packages that are not installed yet.
install_missing() {
    local missing=() package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}
install_missing "${packages[@]}"

# The locales the tests of the home country switch to: Austria's and
# Switzerland's telephone settings (on Linux and under Wine).
for locale in de_AT de_CH; do
    locale -a 2>/dev/null | grep -qi "^$locale\.utf-\?8\$" || localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
done

if [ "${1:-}" = "--windows" ]; then
    # The 32-bit programs run under Wine's 32-bit half, from Debian's i386
    # architecture; the installers are made with NSIS.
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    install_missing wine32:i386 nsis
    # ImageMagick only to take the installer's picture (scripts/screenshots-windows.sh).
    [ "${2:-}" != "--pictures" ] || install_missing imagemagick
    bash "$(dirname "$0")/wine-prefix.sh"
fi
