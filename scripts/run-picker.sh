#!/usr/bin/env bash
# Builds the picker and starts it under 64-bit Wine.
#
#   scripts/run-picker.sh
#
# On a working $DISPLAY the picker opens there, in a Wine prefix under
# build/wine-user/, for you to use; when it ends, the clipboard's text is
# printed. Without a display it runs on a virtual one (Xvfb, through
# tools/wine/wine-session.sh), where one demonstration pick is played: a
# window of a known colour, Start, a move over it, a right press. A screenshot
# taken while picking goes to build/demo/picker.png and the clipboard's text
# is printed; everything started is torn down again.
#
# PICKER_TIMEOUT bounds the picker's run on your display (seconds, default 3600).
#
# It runs the deliverable, the win32 build, where this machine executes 32-bit
# code (tools/wine/probe-32bit.sh decides), and the win64 build otherwise, and
# says which. wine64 hands a 32-bit program to Wine's 32-bit loader.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly WINE=/usr/lib/wine/wine64
readonly WINESERVER=/usr/lib/wine/wineserver64

dos_path() {
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

# Sets $preset and $bin; the probe needs what setup installs.
build() {
    bash "$repo/scripts/setup.sh"
    preset=win64
    if "$repo/tools/wine/probe-32bit.sh"; then
        preset=win32
    fi
    bin=$repo/build/$preset/bin
    echo "run-picker: running the $preset build, $bin/picker.exe"
    (cd "$repo" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset")
}

display_works() {
    [[ -n ${DISPLAY:-} ]] && timeout 5 xdpyinfo >/dev/null 2>&1
}

run_on_display() {
    local home=$repo/build/wine-user limit=${PICKER_TIMEOUT:-3600} rc=0
    if [[ ! $limit =~ ^[0-9]+$ ]] || ((limit == 0)); then
        echo "run-picker: PICKER_TIMEOUT must be a number of seconds, got '$limit'" >&2
        exit 2
    fi
    export WINEPREFIX=$home/prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Code page 932, or the dialog's Japanese texts show as "????".
    export LC_ALL=ja_JP.UTF-8
    mkdir -p "$home/run"
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "run-picker: creating the Wine prefix $WINEPREFIX"
        timeout 300 "$WINE" wineboot -i >"$home/prefix.log" 2>&1 || {
            echo "run-picker: wineboot failed; see $home/prefix.log" >&2
            exit 1
        }
        # wineboot's own server goes away by itself; the persistent one replaces it.
        timeout 30 "$WINESERVER" -w || true
    fi
    # A persistent server keeps the clipboard after the picker has exited; it
    # may already be up from an earlier run.
    "$WINESERVER" -p || true
    trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
    echo "run-picker: the picker is open on $DISPLAY (hwnd.dat in $home/run)"
    (cd "$home/run" && timeout "$limit" "$WINE" "$bin/picker.exe") || rc=$?
    if ((rc == 124)); then
        echo "run-picker: the picker was still open after $limit s; ended it" >&2
    fi
    timeout 60 "$WINE" "$bin/picker_demo.exe" clipboard || true
    "$WINESERVER" -k 2>/dev/null || true
    timeout 20 "$WINESERVER" -w 2>/dev/null || true
    trap - EXIT
}

run_demonstration() {
    local demo=$repo/build/demo session=$repo/build/demo/session rc=0
    mkdir -p "$demo"
    rm -f "$demo/picker.bmp" "$demo/picker.png"
    trap '"$repo/tools/wine/wine-session.sh" down "$session" || true' EXIT
    "$repo/tools/wine/wine-session.sh" up "$session"
    # The grab keeps X's own pointer events from racing the injected input.
    WINE_RUN_GRAB=1 WINE_RUN_TIMEOUT=120 "$repo/tools/wine/wine-session.sh" run "$session" \
        "$bin/picker_demo.exe" pick "$(dos_path "$demo/picker.bmp")" || rc=$?
    "$repo/tools/wine/wine-session.sh" down "$session"
    trap - EXIT
    if [[ -f $demo/picker.bmp ]]; then
        python3 "$repo/scripts/bmp_to_png.py" "$demo/picker.bmp" "$demo/picker.png"
        rm -f "$demo/picker.bmp"
        echo "run-picker: screenshot while picking: $demo/picker.png"
    fi
    return "$rc"
}

build
if display_works; then
    run_on_display
else
    echo "run-picker: no working display; playing a demonstration pick on a virtual one"
    run_demonstration
fi
