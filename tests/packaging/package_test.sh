#!/usr/bin/env bash
# Makes the Debian package from a build into a scratch folder, as
# scripts/package.sh does from its own, and checks it.
#   package_test.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
build=$1
version=$2
source=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
packages=("$out"/*.deb)
[ ${#packages[@]} = 1 ] && [ -f "${packages[0]}" ] || {
    echo "cpack made no single package:"
    ls "$out"
    exit 1
}
# Not exec: the scratch folder goes when this script ends.
status=0
bash "$(dirname "$0")/check_package.sh" "${packages[0]}" "$version" "$source" || status=$?
exit "$status"
