#!/usr/bin/env bash
# Builds the picker and starts it under Wine.
#
#   scripts/run-picker.sh [--desktop[=WxH]]
#
# On a working $DISPLAY the picker opens there, in a Wine prefix under
# build/wine-user/, for you to use. When it ends, the clipboard's text is
# printed and left on the X clipboard (the CLIPBOARD selection, served by
# xclip after Wine has gone), ready to paste into any X program.
#
# Under Wine on an X desktop, picking reaches only the picker's own dialog:
# Wine takes the mouse capture without grabbing the X pointer, so over other
# X windows the pointer's events go to those windows. --desktop runs the
# picker inside a Wine virtual desktop, a window of WxH pixels on your display
# (the display's size if not given), where Start and picking work across the
# whole desktop: Start, then hold the left button down over the dialog while
# moving (X then sends the pointer's events to the dialog), and press the
# right button to pick. On Windows the picker reaches the whole screen.
#
# Without a display it runs on a virtual one (Xvfb, through
# tools/wine/wine-session.sh), where one demonstration pick is played: a
# window of a known colour, Start, a move over it, a right press. A screenshot
# taken while picking goes to build/demo/picker.png and the clipboard's text
# is printed; everything started is torn down again.
#
# PICKER_TIMEOUT bounds the picker's run on your display (seconds, default
# 3600); PICKER_HOME moves build/wine-user/ elsewhere.
#
# It runs the deliverable, the win32 build, where this machine executes 32-bit
# code (tools/wine/probe-32bit.sh decides), and the win64 build otherwise, and
# says which. wine64 hands a 32-bit program to Wine's 32-bit loader.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The Wine that runs either build; build() settles which build runs.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
build_name=win64
bin=$repo/build/$build_name/bin
home=${PICKER_HOME:-$repo/build/wine-user}

usage() {
    echo "usage: scripts/run-picker.sh [--desktop[=WxH]]" >&2
    exit 2
}

say() {
    echo "run-picker: $*"
}

dos_path() {
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

# Sets $build_name and $bin; the probe needs what setup installs.
build() {
    bash "$repo/scripts/setup.sh"
    build_name=win64
    if "$repo/tools/wine/probe-32bit.sh"; then
        build_name=win32
    fi
    bin=$repo/build/$build_name/bin
    say "running the $build_name build, $bin/picker.exe"
    (cd "$repo" && cmake --preset "$build_name" >/dev/null && cmake --build --preset "$build_name")
}

# Generous: a busy machine can take seconds to answer.
display_works() {
    [[ -n ${DISPLAY:-} ]] && timeout 30 xdpyinfo >/dev/null 2>&1
}

display_size() {
    timeout 30 xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p' | head -n1
}

check_limit() {
    if [[ ! $limit =~ ^[0-9]+$ ]] || ((limit == 0)); then
        echo "run-picker: PICKER_TIMEOUT must be a number of seconds, got '$limit'" >&2
        exit 2
    fi
}

# The text after "clipboard: " in picker_demo.exe's output, or nothing.
clipboard_text() {
    sed -n 's/^clipboard: //p' | tr -d '\r' | head -n1
}

# Leaves the text on the X clipboard; xclip serves it until another program
# takes the selection or the X server ends. Called once Wine has gone, which
# otherwise would take the selection with it.
serve_on_x_clipboard() {
    local text=$1
    if [[ -z $text ]]; then
        say "no text on the clipboard; the X clipboard is left as it was"
        return 0
    fi
    printf '%s' "$text" | xclip -selection clipboard -i >/dev/null 2>&1 || {
        echo "run-picker: xclip could not take the X clipboard" >&2
        return 0
    }
    say "on the X clipboard: $text"
}

tell_limits() {
    say "under Wine on an X desktop, picking reaches only the picker's own dialog:"
    say "  Wine takes the mouse capture without grabbing the X pointer, so over"
    say "  other X windows the pointer's events go to those windows. To pick"
    say "  anywhere, run it inside a Wine virtual desktop: --desktop[=WxH]."
    say "  On Windows the picker reaches the whole screen."
}

run_on_display() {
    local limit=${PICKER_TIMEOUT:-3600} rc=0 out text
    check_limit
    export WINEPREFIX=$home/prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Code page 932, or the dialog's Japanese texts show as "????".
    export LC_ALL=ja_JP.UTF-8
    mkdir -p "$home/run"
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        say "creating the Wine prefix $WINEPREFIX"
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
    tell_limits
    say "the picker is open on $DISPLAY (hwnd.dat in $home/run)"
    (cd "$home/run" && timeout "$limit" "$WINE" "$bin/picker.exe") || rc=$?
    if ((rc == 124)); then
        echo "run-picker: the picker was still open after $limit s; ended it" >&2
    fi
    out=$(timeout 60 "$WINE" "$bin/picker_demo.exe" clipboard 2>&1) || true
    printf '%s\n' "${out//$'\r'/}"
    text=$(clipboard_text <<<"$out")
    "$WINESERVER" -k 2>/dev/null || true
    timeout 20 "$WINESERVER" -w 2>/dev/null || true
    trap - EXIT
    serve_on_x_clipboard "$text"
}

# The picker on a Wine virtual desktop of its own, a window on $DISPLAY: a
# wine-session that uses this display instead of an Xvfb.
run_in_desktop() {
    local size=$1 limit=${PICKER_TIMEOUT:-3600} rc=0 out text
    local session=$home/desktop session_tool=$repo/tools/wine/wine-session.sh
    check_limit
    ((limit <= 3600)) || {
        echo "run-picker: with --desktop, PICKER_TIMEOUT is at most 3600 s" >&2
        exit 2
    }
    [[ -n $size ]] || size=$(display_size)
    [[ $size =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || {
        echo "run-picker: --desktop wants a size WxH, got '$size'" >&2
        exit 2
    }
    mkdir -p "$session/run"
    trap '"$session_tool" down "$session" >/dev/null 2>&1 || true' EXIT
    WINE_SESSION_DISPLAY=$DISPLAY WINE_SESSION_SCREEN=$size WINE_SESSION_DESKTOP=picker \
        "$session_tool" up "$session"
    say "the picker is open in a Wine virtual desktop of $size on $DISPLAY (hwnd.dat in $session/run)."
    say "  Start and picking work across that desktop: press Start (Enter or Space), hold the"
    say "  left button down over the dialog and move; a right press picks. X sends the pointer's"
    say "  events to the window where a button went down, so the dialog keeps them."
    (cd "$session/run" && WINE_RUN_TIMEOUT=$limit "$session_tool" run "$session" "$bin/picker.exe") ||
        rc=$?
    if ((rc == 124)); then
        echo "run-picker: the picker was still open after $limit s; ended it" >&2
    fi
    out=$(WINE_RUN_TIMEOUT=60 "$session_tool" run "$session" "$bin/picker_demo.exe" clipboard 2>&1) ||
        true
    printf '%s\n' "${out//$'\r'/}"
    text=$(clipboard_text <<<"$out")
    "$session_tool" down "$session"
    trap - EXIT
    serve_on_x_clipboard "$text"
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
        say "screenshot while picking: $demo/picker.png"
    fi
    return "$rc"
}

desktop=0 desktop_size=
for arg in "$@"; do
    case $arg in
    --desktop) desktop=1 ;;
    --desktop=*) desktop=1 desktop_size=${arg#--desktop=} ;;
    *) usage ;;
    esac
done

build
if display_works; then
    if ((desktop)); then
        run_in_desktop "$desktop_size"
    else
        run_on_display
    fi
else
    say "no working display; playing a demonstration pick on a virtual one"
    run_demonstration
fi
