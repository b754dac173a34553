#!/usr/bin/env bash
# Builds the win32 and win64 programs and makes the release archives in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target picker closer
done
python3 scripts/package.py "${1:-dist}"
