#!/usr/bin/env bash
# scripts/run-picker.sh on an X display, as a user meets it: an Xvfb of this
# test's own with no Wine virtual desktop, input from xdotool at X level, and
# the result read with xclip after the script has returned.
#
#   run_picker_display_test.sh REPO SCRATCH COLOUR_WINDOW_EXE
#
# Cases: a right press over the dialog's background picks that background's
# colour (as the X screen shows it); Esc gives "#"; and with --desktop, Start
# and a right press over a window of a known colour elsewhere on the virtual
# desktop pick that colour. Everything started here is ended here: the
# scripts' process groups, the wineservers of this test's prefixes, the Xvfb,
# and with it the xclip that serves the last result.
set -euo pipefail

repo=$1
scratch=$2
colour_window=$3
readonly WINESERVER=/usr/lib/wine/wineserver64
# Painted on the virtual desktop; neither white nor black, which cannot be picked.
readonly DESKTOP_COLOUR=1E8C5A
readonly DESKTOP_SIZE=800x600

home=$scratch/home
session_tool=$repo/tools/wine/wine-session.sh
failures=0
xvfb_pid=
run_pid=
colour_pid=

note() {
    echo "run_picker_display: $*"
}

fail() {
    note "FAIL: $*"
    failures=$((failures + 1))
}

running() {
    [[ -n $1 ]] && kill -0 "$1" 2>/dev/null
}

# await SECONDS WHAT PROBE [ARGS...]: true once PROBE succeeds; PROBE leaves what it
# saw in $seen, which a timeout reports. While $awaiting_run names a run-picker.sh,
# the wait also ends, false, when that script has ended.
awaiting_run=
await() {
    local seconds=$1 what=$2 started=$SECONDS
    shift 2
    seen="(nothing yet)"
    while ! "$@"; do
        if [[ -n $awaiting_run ]] && ! running "$awaiting_run"; then
            note "run-picker.sh ended after $((SECONDS - started)) s of waiting for $what; last seen: $seen"
            return 1
        fi
        if ((SECONDS - started >= seconds)); then
            note "timed out after $((SECONDS - started)) s waiting for $what; last seen: $seen"
            return 1
        fi
        sleep 0.2
    done
}

# The xclip processes that serve a result of this test: they carry its display and home.
our_xclips() {
    local dir pid
    for dir in /proc/[0-9]*; do
        pid=${dir#/proc/}
        [[ $(cat "$dir/comm" 2>/dev/null) == xclip ]] || continue
        tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "PICKER_HOME=$home" || continue
        tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY" || continue
        echo "$pid"
    done
}

no_xclips_left() {
    seen=$(our_xclips | tr '\n' ' ')
    [[ -z $seen ]]
}

gone() {
    seen="pid $1 running"
    ! running "$1"
}

end_group() {
    local pid=$1
    running "$pid" || return 0
    kill -TERM -- "-$pid" 2>/dev/null || true
    await 20 "process group $pid to end" gone "$pid" || kill -KILL -- "-$pid" 2>/dev/null || true
}

cleanup() {
    local left
    end_group "$run_pid"
    end_group "$colour_pid"
    WINEPREFIX=$home/prefix "$WINESERVER" -k 2>/dev/null || true
    "$session_tool" down "$home/desktop" >/dev/null 2>&1 || true
    if running "$xvfb_pid"; then
        kill -TERM "$xvfb_pid"
        await 20 "this test's Xvfb ($xvfb_pid) to end" gone "$xvfb_pid" || kill -KILL "$xvfb_pid" || true
    fi
    if [[ -n ${DISPLAY:-} ]] && ! await 20 "the xclip serving $DISPLAY to end with its X server" no_xclips_left; then
        left=$(our_xclips)
        # shellcheck disable=SC2086 # a list of pids
        [[ -z $left ]] || kill -TERM $left 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap "exit 143" INT TERM

start_xvfb() {
    local display_file=$scratch/display
    rm -f "$display_file"
    (
        exec 3>"$display_file" </dev/null >"$scratch/xvfb.log" 2>&1
        exec setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp
    ) &
    xvfb_pid=$!
    await 30 "Xvfb to report its display" display_reported "$display_file"
    DISPLAY=:$(head -n1 "$display_file")
    export DISPLAY
    note "Xvfb $xvfb_pid on $DISPLAY, no window manager, no Wine virtual desktop"
}

display_reported() {
    seen=$(cat "$1" 2>/dev/null || true)
    [[ $seen =~ ^[0-9]+$ ]]
}

# start_picker LOG [ARGS...]: run-picker.sh in a process group of its own.
start_picker() {
    local log=$1
    shift
    PICKER_HOME=$home PICKER_TIMEOUT=300 setsid bash "$repo/scripts/run-picker.sh" "$@" >"$log" 2>&1 &
    run_pid=$!
}

# finish_picker LOG: waits for run-picker.sh to return and checks its status.
finish_picker() {
    local log=$1 rc=0
    awaiting_run=
    if ! await 180 "run-picker.sh to return" gone "$run_pid"; then
        tail -n 20 "$log"
        end_group "$run_pid"
        return 1
    fi
    wait "$run_pid" || rc=$?
    run_pid=
    if ((rc != 0)); then
        tail -n 20 "$log"
        fail "run-picker.sh exited with $rc"
        return 1
    fi
}

find_dialog() {
    seen=$(xdotool search --onlyvisible --name '^スポイト$' 2>/dev/null | head -n1 || true)
    [[ -n $seen ]]
}

find_desktop() {
    seen=$(xdotool search --onlyvisible --name 'Wine desktop' 2>/dev/null | head -n1 || true)
    [[ -n $seen ]]
}

# painted X Y: the pixel shows something other than Xvfb's black, twice alike.
painted() {
    local first
    first=$("$scratch/x_pixel" "$1" "$2" 2>&1) || true
    sleep 0.2
    seen=$("$scratch/x_pixel" "$1" "$2" 2>&1) || true
    [[ $seen != 000000 && $seen == "$first" && $seen =~ ^[0-9A-F]{6}$ ]]
}

pixel_is() {
    seen=$("$scratch/x_pixel" "$1" "$2" 2>&1) || true
    [[ $seen == "$3" ]]
}

# swatch_shows COLOUR X Y W H PX PY: the dialog's rectangle holds pixels of COLOUR;
# each look nudges the pointer by a pixel about PX,PY, as a hand would.
nudge=0
swatch_shows() {
    nudge=$((1 - nudge))
    xdotool mousemove --sync $(($6 + nudge)) "$7"
    seen=$("$scratch/x_pixel" count "$1" "$2" "$3" "$4" "$5" 2>&1) || true
    seen="$seen pixels of $1 in the dialog"
    [[ ${seen%% *} =~ ^[1-9][0-9]*$ ]]
}

# check_result LOG WANT: the script printed WANT and the X clipboard holds exactly WANT.
check_result() {
    local log=$1 want=$2 got=$scratch/xclip.out
    grep -qxF "clipboard: $want" "$log" || fail "run-picker.sh did not print 'clipboard: $want'"
    if ! timeout 10 xclip -o -selection clipboard >"$got" 2>"$scratch/xclip.err"; then
        fail "xclip read nothing after run-picker.sh returned: $(cat "$scratch/xclip.err")"
        return
    fi
    if ! printf '%s' "$want" | cmp -s - "$got"; then
        fail "the X clipboard holds '$(od -An -c "$got" | tr -s ' ')', not exactly '$want'"
        return
    fi
    note "the X clipboard holds '$want' after run-picker.sh returned"
}

dialog_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9-]+$')"
}

case_dialog_background() {
    local log=$scratch/background.log px py colour
    note "case: a right press over the dialog's background"
    start_picker "$log"
    # The first run also checks the build and may make the prefix.
    await 600 "the picker's dialog on $DISPLAY" find_dialog || return 1
    dialog_geometry "$seen"
    px=$((X + 2)) py=$((Y + 2))
    xdotool mousemove --sync "$px" "$py"
    await 30 "the dialog's background painted at $px,$py" painted "$px" "$py" || return 1
    colour=$seen
    note "dialog at $X,$Y ${WIDTH}x$HEIGHT; the X screen shows $colour at $px,$py"
    xdotool click 3
    finish_picker "$log" || return 1
    grep -q "picking reaches only the picker's own dialog" "$log" ||
        fail "run-picker.sh did not tell that picking reaches only its own dialog"
    check_result "$log" "$colour"
}

case_escape() {
    local log=$scratch/escape.log px py
    note "case: Esc"
    start_picker "$log"
    await 300 "the picker's dialog on $DISPLAY" find_dialog || return 1
    dialog_geometry "$seen"
    px=$((X + 2)) py=$((Y + 2))
    # Xvfb's focus follows the pointer, so the keys go to the dialog under it.
    xdotool mousemove --sync "$px" "$py"
    await 30 "the dialog's background painted at $px,$py" painted "$px" "$py" || return 1
    xdotool key Escape
    finish_picker "$log" || return 1
    check_result "$log" "#"
}

case_desktop() {
    local log=$scratch/desktop.log dx dy cx cy
    local -i left=400 top=300 right=600 bottom=450
    note "case: --desktop=$DESKTOP_SIZE, Start, a right press over $DESKTOP_COLOUR away from the dialog"
    start_picker "$log" "--desktop=$DESKTOP_SIZE"
    await 300 "the Wine virtual desktop on $DISPLAY" find_desktop || return 1
    dialog_geometry "$seen"
    dx=$X dy=$Y
    [[ ${WIDTH}x$HEIGHT == "$DESKTOP_SIZE" ]] || fail "the virtual desktop is ${WIDTH}x$HEIGHT, not $DESKTOP_SIZE"
    await 120 "the picker's dialog on the virtual desktop" find_dialog || return 1
    # The picker's own session is up: the colour window joins its desktop.
    (cd "$scratch" && WINE_RUN_TIMEOUT=300 exec setsid "$session_tool" run "$home/desktop" "$colour_window" \
        "$DESKTOP_COLOUR" "$left" "$top" "$right" "$bottom" 240 >"$scratch/colour.log" 2>&1) &
    colour_pid=$!
    cx=$((dx + (left + right) / 2)) cy=$((dy + (top + bottom) / 2))
    await 60 "$DESKTOP_COLOUR at $cx,$cy on the X screen" pixel_is "$cx" "$cy" "$DESKTOP_COLOUR" || return 1
    dialog_geometry "$(xdotool search --onlyvisible --name '^スポイト$' | head -n1)"
    note "desktop at $dx,$dy; dialog at $X,$Y ${WIDTH}x$HEIGHT; $DESKTOP_COLOUR at $cx,$cy"
    # A click on the caption makes the dialog the active window, as a user's first
    # click would; the picker opens inactive on a desktop started from outside.
    xdotool mousemove --sync $((X + WIDTH / 3)) $((Y + 8)) click 1
    # Start from the keyboard, with the pointer resting on the dialog's background.
    xdotool mousemove --sync $((X + WIDTH - 6)) $((Y + HEIGHT - 6))
    xdotool key Return
    # The left button held down from the dialog gives it X's implicit pointer grab, so
    # X sends the pointer's events over the rest of the desktop to the dialog's window.
    xdotool mousedown 1
    xdotool mousemove --sync "$cx" "$cy"
    await 30 "the swatch to show $DESKTOP_COLOUR while the pointer is at $cx,$cy" \
        swatch_shows "$DESKTOP_COLOUR" "$X" "$Y" "$WIDTH" "$HEIGHT" "$cx" "$cy" || return 1
    xdotool click 3
    finish_picker "$log" || return 1
    xdotool mouseup 1
    check_result "$log" "$DESKTOP_COLOUR"
    await 30 "the colour window's run to end with the session" gone "$colour_pid" || true
}

mkdir -p "$scratch"
cc -std=c99 -O2 -Wall -Wextra -Werror -o "$scratch/x_pixel" "$repo/tests/scripts/x_pixel.c" -lX11
start_xvfb
for case in case_dialog_background case_escape case_desktop; do
    if ! "$case"; then
        fail "$case did not finish"
        end_group "$run_pid"
        run_pid=
    fi
done
if ((failures)); then
    note "$failures failure(s)"
    exit 1
fi
note "all cases passed"
