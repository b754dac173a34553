#!/usr/bin/env bash
# The benchmark: installs what is missing, builds the win32 and win64 presets,
# and on a Wine desktop of its own runs each build's bench.exe against that
# build's picker and bare dialog: the win32 one wherever this machine runs
# 32-bit code (the session's probe decides), the win64 one always, which also
# prints the sizes of all four programs. Prints the machine and one table per
# build. Not a test: nothing here passes or fails on a timing; it exits
# non-zero only if a benchmark could not run (a build failed, a program hung
# or never wrote its handle file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

for preset in win64 win32; do
    echo "== build $preset" >&2
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target bench
    # Another part of the tree: without it, its size row says "not built".
    cmake --build --preset "$preset" --target closer ||
        echo "bench: closer.exe does not build in $preset; its rows say \"not built\"" >&2
done

# The prefix maps / to Z:, so a host path names the same file in Wine.
dos_path() {
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

size_args=()
for preset in win32 win64; do
    for program in picker closer; do
        limit=0
        if [[ $preset == win32 ]]; then
            [[ $program == picker ]] && limit=$((64 * 1024)) || limit=$((48 * 1024))
        fi
        size_args+=(--size "$preset $program.exe" "$limit"
            "$(dos_path "$root/build/$preset/bin/$program.exe")")
    done
done

# A session of its own, so that no test's programs share the desktop or the
# wineserver with the measured ones.
export WINE_SESSION_DIR="$root/build/bench-session"
bash tools/wine/wine-session.sh up "$WINE_SESSION_DIR"
trap 'bash tools/wine/wine-session.sh down "$WINE_SESSION_DIR" >/dev/null 2>&1 || true' EXIT

echo
echo "machine: $(nproc) cores, $(grep -m1 '^model name' /proc/cpuinfo | sed 's/^[^:]*: *//')"
echo "wine: $(/usr/lib/wine/wine64 --version)"
commit=$(git rev-parse --short HEAD 2>/dev/null) || commit=unknown
git diff --quiet HEAD -- picker classlib closer tools/bench 2>/dev/null || commit+=" (with local changes)"
echo "commit: $commit"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
runs_32bit=1
probe_line=$(bash tools/wine/wine-session.sh probe-32bit "$WINE_SESSION_DIR") || runs_32bit=0
echo "$probe_line"

rc=0
echo
if ((runs_32bit)); then
    echo "== win32 build (the deliverable): build/win32/bin/bench.exe"
    # The benchmark bounds each of its phases itself; this is the outer bound.
    WINE_RUN_32BIT=1 WINE_RUN_TIMEOUT=${WINE_RUN_TIMEOUT:-1800} \
        bash tools/wine/run-wine-test.sh build/win32/bin/bench.exe || rc=$?
else
    echo "== win32 build (the deliverable): not measured, 32-bit code does not run here"
fi
echo
echo "== win64 build: build/win64/bin/bench.exe"
WINE_RUN_TIMEOUT=${WINE_RUN_TIMEOUT:-1800} \
    bash tools/wine/run-wine-test.sh build/win64/bin/bench.exe "${size_args[@]}" || rc=$?
exit "$rc"
