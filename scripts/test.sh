#!/usr/bin/env bash
# Every test: installs what is missing, builds the host, win32 and win64
# presets, and runs all their tests in one CTest run: the host tests under
# AddressSanitizer and UBSan, the resource checks of both Windows builds, and
# the Windows-side tests under 64-bit Wine (32-bit code cannot execute on
# these machines, so the win32 programs are built and checked, not run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

for preset in host win32 win64; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

# One Wine session serves every Windows-side test of the run.
export WINE_SESSION_DIR="$root/build/wine-session"
bash tools/wine/wine-session.sh up "$WINE_SESSION_DIR"
trap 'bash tools/wine/wine-session.sh down "$WINE_SESSION_DIR" || true' EXIT

mkdir -p build/all
{
    echo "# All three builds' tests, for one run and one summary."
    echo "subdirs(\"$root/build/host\" \"$root/build/win32\" \"$root/build/win64\")"
} >build/all/CTestTestfile.cmake

ctest --test-dir build/all --output-on-failure --timeout 600 -j2
