#!/usr/bin/env bash
# Runs one Windows test program under Wine and exits with its status; both
# Windows builds set this as the emulator of their Windows-side tests.
#
#   run-wine-test.sh EXE [ARGS...]
#
# Every program learns from RUNS_32BIT_CODE=yes|no whether the session's probe
# found that 32-bit programs run here (a 64-bit test that starts the 32-bit
# build's programs reads it). With WINE_RUN_32BIT=1 the program is a 32-bit one:
# where they do not run it is not started, and the script prints the probe's
# line and exits with 77, which the win32 build's tests take as "skipped".
#
# The session directory is $WINE_SESSION_DIR, or <repo>/build/wine-session.
# If a live session is there (wine-session.sh up), the program runs in it and
# the session stays up. Otherwise a session is brought up for this one
# program and torn down afterwards.
#
# Concurrent calls are safe: runs in a live session share it, and a private
# session is made, used and torn down under an exclusive lock, so others wait.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
session=$here/wine-session.sh
repo=$(cd "$here/../.." && pwd)

if (($# < 1)); then
    echo "usage: run-wine-test.sh EXE [ARGS...]" >&2
    exit 125
fi

dir=${WINE_SESSION_DIR:-$repo/build/wine-session}
mkdir -p "$dir"
limit=${WINE_RUN_TIMEOUT:-120}
[[ $limit =~ ^[0-9]+$ ]] || limit=120
# Long enough for another caller's whole private session: up, one run, down.
lock_wait=$((limit + 300))
owner_file=$dir/private-session.owner
readonly SKIPPED=77

live() {
    "$session" status "$dir" >/dev/null 2>&1
}

# A private session whose runner died (killed by a test timeout) must not be taken for a
# live one that someone else keeps up.
orphaned() {
    local owner
    [[ -f $owner_file ]] || return 1
    owner=$(cat "$owner_file")
    ! kill -0 "$owner" 2>/dev/null
}

# Once the session is live: its probe's answer, asked once when it came up.
check_32bit() {
    local line rc=0
    line=$("$session" probe-32bit "$dir" 2>/dev/null) || rc=$?
    if ((rc == 0)); then
        export RUNS_32BIT_CODE=yes
    else
        export RUNS_32BIT_CODE=no
    fi
    if [[ ${WINE_RUN_32BIT:-0} == 1 && $RUNS_32BIT_CODE != yes ]]; then
        echo "run-wine-test: skipped, a 32-bit program: $line"
        exit "$SKIPPED"
    fi
}

exec 8>"$dir/runner.lock"
flock -s -w "$lock_wait" 8 || {
    echo "run-wine-test: timed out waiting for $dir/runner.lock" >&2
    exit 125
}
if live && ! orphaned; then
    check_32bit
    exec "$session" run "$dir" "$@"
fi

flock -x -w "$lock_wait" 8 || {
    echo "run-wine-test: timed out waiting for $dir/runner.lock" >&2
    exit 125
}
if orphaned; then
    "$session" down "$dir"
    rm -f "$owner_file"
fi
if live; then
    check_32bit
    exec "$session" run "$dir" "$@"
fi

# shellcheck disable=SC2317 # called by the EXIT trap
finish() {
    "$session" down "$dir" || true
    rm -f "$owner_file"
}
echo "$$" >"$owner_file"
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
"$session" up "$dir"
check_32bit
rc=0
"$session" run "$dir" "$@" || rc=$?
exit "$rc"
