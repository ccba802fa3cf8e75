#!/usr/bin/env bash
# Builds the converter and converts the sample phonebook with it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zedulo-convert
cp examples/fritzbox-beispiel.adr build/default/fritzbox-beispiel.adr
build/default/cli/zedulo-convert build/default/fritzbox-beispiel.adr
echo "--- build/default/phonebook.txt (shown in UTF-8):"
iconv -f WINDOWS-1252 -t UTF-8 build/default/phonebook.txt
