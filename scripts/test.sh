#!/usr/bin/env bash
# Builds everything from scratch where needed and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j2
ctest --preset default -j2
