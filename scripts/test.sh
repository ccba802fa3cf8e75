#!/usr/bin/env bash
# Builds everything from scratch where needed and runs every test: the whole
# suite in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer; then it builds the Debian package, checks it,
# installs it with apt-get, uses it and removes it again (as root: this
# changes the machine); builds the Windows programs, 64 and 32 bit, and
# their installers and runs their tests under Wine (scripts/test-windows.sh;
# where this machine cannot run 32-bit programs, the 32-bit ones are built
# and packed but not tested, and the run says so);
# then it runs the conversion core's fuzzer for about a minute
# (ZEDULO_FUZZ_SECONDS to change that).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in default asan; do
    echo "=== Build and test: $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j2
    ctest --preset "$preset" -j2
done

echo "=== Debian package: build, check, install, use, remove"
bash scripts/package.sh
version=$(build/default/cli/zedulo-convert --version)
version=${version#zedulo-convert }
for deb in build/package/zedulo_*.deb; do
    bash tests/packaging/check_package.sh "$deb" "$version" .
    bash tests/packaging/install_package_test.sh "$deb" "$version" .
done

bash scripts/test-windows.sh

echo "=== Fuzzing"
bash scripts/fuzz.sh "${ZEDULO_FUZZ_SECONDS:-60}"

# What could not run here is said again last, where it is read.
source scripts/wine32.sh
can_run_32bit || no_32bit_line
