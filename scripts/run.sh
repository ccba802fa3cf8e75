#!/usr/bin/env bash
# Builds the program and starts it (it needs a graphical desktop).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zedulo zedulo-convert
exec build/default/app/zedulo
