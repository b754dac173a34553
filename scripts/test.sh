#!/usr/bin/env bash
# Every test: installs what is missing, builds the host, win32 and win64
# presets, and runs all their tests in one CTest run: the host tests under
# AddressSanitizer and UBSan, the resource checks of both Windows builds, and
# the Windows-side tests of both builds under Wine. Whether this machine runs
# 32-bit code is probed once, when the Wine session comes up; where it does
# not, the win32 build's Windows-side tests show as skipped and its programs
# are checked statically only (resources, imports).
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
runs_32bit=yes
probe_line=$(bash tools/wine/wine-session.sh probe-32bit "$WINE_SESSION_DIR") || runs_32bit=no
echo "== $probe_line"

mkdir -p build/all
{
    echo "# All three builds' tests, for one run and one summary."
    echo "subdirs(\"$root/build/host\" \"$root/build/win32\" \"$root/build/win64\")"
} >build/all/CTestTestfile.cmake

rc=0
ctest --test-dir build/all --output-on-failure --timeout 600 -j2 || rc=$?
if [[ $runs_32bit == no ]]; then
    echo "test: the 32-bit programs were checked statically only on this machine:" \
        "their Windows-side tests were skipped ($probe_line)"
fi
exit "$rc"
