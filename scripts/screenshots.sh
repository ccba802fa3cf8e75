#!/usr/bin/env bash
# Renders the dialogs offscreen into docs/images/ for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zedulo-screenshots
QT_QPA_PLATFORM=offscreen build/default/tools/zedulo-screenshots docs/images
