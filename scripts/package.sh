#!/usr/bin/env bash
# Builds the Debian package from scratch: the programs in Release mode with
# Debian's hardening flags in build/package, then CPack's DEB generator.
# Leaves build/package/zedulo_<version>_<arch>.deb and prints its name, size
# and dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build/package
rm -rf "$build"
# CMake reads no CPPFLAGS, so the preprocessor's hardening goes with the
# compiler's flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack >cpack.log 2>&1) || {
    cat "$build/cpack.log"
    exit 1
}

deb=$(ls "$build"/zedulo_*.deb)
echo "Package: $deb ($(stat -c %s "$deb") bytes)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
