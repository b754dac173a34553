#!/usr/bin/env bash
# Builds the closer's fuzz target with clang-14 and runs it for SECONDS.
#
#   run-fuzz.sh SECONDS
#
# Every input under regressions/ is replayed first; then the fuzzer starts
# from the seeds in corpus/ (new inputs go to the build directory). Fails on
# a crash, a sanitizer report or a mismatch with the reference model; the
# input that failed is copied into regressions/, so that it is replayed on
# every later run once it is committed.
#
# CLOSER_FUZZ_BUILD_DIR: where to build (default <repo>/build/closer-fuzz).
set -euo pipefail

if (($# != 1)) || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: run-fuzz.sh SECONDS" >&2
    exit 2
fi
seconds=$1

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=${CLOSER_FUZZ_BUILD_DIR:-$root/build/closer-fuzz}

if [[ ! -f $build/CMakeCache.txt ]]; then
    CXX=clang++-14 cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build"

fuzzer=$build/closer_fuzz
artifacts=$build/artifacts
mkdir -p "$artifacts" "$build/corpus" "$here/regressions"
rm -f "$artifacts"/*

export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

keep_failures() {
    local input
    for input in "$artifacts"/*; do
        [[ -f $input ]] || continue
        cp "$input" "$here/regressions/"
        echo "run-fuzz: kept $(basename "$input") in tests/closer/fuzz/regressions/" >&2
    done
}

regressions=()
for input in "$here"/regressions/*; do
    [[ -f $input ]] && regressions+=("$input")
done
if ((${#regressions[@]} > 0)); then
    echo "== replaying ${#regressions[@]} regression inputs"
    "$fuzzer" -artifact_prefix="$artifacts/" "${regressions[@]}"
fi

echo "== fuzzing for $seconds s"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=512 \
    -dict="$here/closer.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
    "$build/corpus" "$here/corpus" || status=$?
if ((status != 0)); then
    keep_failures
    echo "run-fuzz: the fuzzer failed with status $status" >&2
    exit 1
fi
