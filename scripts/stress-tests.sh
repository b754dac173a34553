#!/usr/bin/env bash
# The Windows-side tests under load: installs what is missing, builds the
# win32 and win64 presets, and runs every test labelled `windows` of both
# builds RUNS times in a row (default 10) while stress-ng keeps every core
# busy. Prints, for each test and for each of its GoogleTest cases, how many
# runs passed; exits non-zero when any run failed. A test that the machine
# skips (32-bit code where the kernel refuses it) counts as skipped.
#
#   scripts/stress-tests.sh [RUNS]
#
# Not part of scripts/test.sh: ten runs take 8 to 15 minutes here. Logs of
# every run go to build/stress/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

runs=${1:-10}
if [[ ! $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/stress-tests.sh [RUNS]   (RUNS a positive whole number, default 10)" >&2
    exit 2
fi
builds=(win32 win64)

bash scripts/setup.sh

for preset in "${builds[@]}"; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

logs=$root/build/stress
rm -rf "$logs"
mkdir -p "$logs"

stress_pid=
# shellcheck disable=SC2317 # called by the EXIT trap
finish() {
    if [[ -n $stress_pid ]]; then
        kill -TERM "$stress_pid" 2>/dev/null || true
        wait "$stress_pid" 2>/dev/null || true
    fi
    bash tools/wine/wine-session.sh down "$WINE_SESSION_DIR" >/dev/null 2>&1 || true
}

# A session of its own, so that no other run shares the desktop or the wineserver.
export WINE_SESSION_DIR="$root/build/stress-session"
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
bash tools/wine/wine-session.sh up "$WINE_SESSION_DIR"

cores=$(nproc)
echo
echo "machine: $cores cores, $(grep -m1 '^model name' /proc/cpuinfo | sed 's/^[^:]*: *//')"
echo "wine: $(/usr/lib/wine/wine64 --version)"
echo "commit: $(git rev-parse --short HEAD 2>/dev/null || echo unknown)"
echo "load: stress-ng --cpu $cores, $runs runs"
# The timeout only bounds a stress-ng whose script was killed without its trap.
stress-ng --cpu "$cores" --timeout "$((runs * 1200))s" --quiet &
stress_pid=$!

# One line per test and run: BUILD TEST passed|failed|skipped; and per case.
results=$logs/tests.txt
cases=$logs/cases.txt
: >"$results"
: >"$cases"
failed_runs=0
for ((run = 1; run <= runs; run++)); do
    run_failed=0
    for build in "${builds[@]}"; do
        log=$logs/run-$run-$build.log
        rc=0
        ctest --test-dir "build/$build" -L windows --no-tests=ignore -V --timeout 600 \
            >"$log" 2>&1 || rc=$?
        # "1/4 Test #1: name ....   Passed    1.32 sec", or "***Failed", "***Skipped", ...
        sed -n 's/^ *[0-9]*\/[0-9]* *Test *#[0-9]*: *\([^ ]*\) \.*[ *]*\([A-Za-z][A-Za-z ]*[a-z]\).*/\1 \2/p' \
            "$log" | while read -r test status; do
            case $status in
            Passed) echo "$build $test passed" ;;
            Skipped | "Not Run" | Disabled) echo "$build $test skipped" ;;
            *) echo "$build $test failed" ;;
            esac
        done >>"$results"
        # ctest -V prefixes each line of test N with "N: ".
        sed -n 's/^\([0-9]*\): \[ *\(OK\|FAILED\) *\] \([^ ,]*\).* ([0-9]* ms)$/\1 \2 \3/p' "$log" |
            while read -r number outcome name; do
                test=$(sed -n "s/^ *Start *$number: \([^ ]*\)$/\1/p" "$log" | head -n1)
                echo "$build $test $name $outcome"
            done >>"$cases"
        if ((rc != 0)); then
            run_failed=1
            echo "run $run, $build: FAILED (see $log)"
            grep -E '^[0-9]+: .*(Failure|FAILED|waited|Which is|Expected|trace)' "$log" | head -n 40 || true
        fi
    done
    failed_runs=$((failed_runs + run_failed))
    echo "run $run/$runs: $( ((run_failed)) && echo failed || echo passed), load average $(cut -d' ' -f1-3 /proc/loadavg)"
done

# tally FILE: "KEY... OUTCOME" lines, counted per key.
tally() {
    awk -v runs="$runs" '
    {
        outcome = $NF
        $NF = ""
        key = $0
        if (!(key in seen)) { seen[key] = 1; order[++n] = key; if (length(key) > width) width = length(key) }
        count[key, outcome]++
    }
    END {
        for (i = 1; i <= n; i++) {
            key = order[i]
            line = sprintf("%-" width "s passed %2d of %d", key, count[key, "passed"] + count[key, "OK"], runs)
            if (count[key, "skipped"]) line = line sprintf(", skipped %d", count[key, "skipped"])
            failed = count[key, "failed"] + count[key, "FAILED"]
            if (failed) line = line sprintf(", FAILED %d", failed)
            print line
        }
    }' "$1"
}

echo
echo "== each test: $runs runs under stress-ng --cpu $cores"
tally "$results"
echo
echo "== each GoogleTest case"
tally "$cases"
echo

if ((failed_runs > 0)); then
    echo "stress: $failed_runs of $runs runs failed"
    exit 1
fi
echo "stress: all $runs runs passed"
