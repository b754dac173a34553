#!/usr/bin/env bash
# A Wine session for running Windows test programs under Xvfb: one Xvfb, one
# persistent wineserver, one reusable prefix and one named virtual desktop
# that every `run` joins. 64-bit programs always run; 32-bit ones where this
# machine executes 32-bit code, which `up` finds out once (probe-32bit.sh).
#
#   wine-session.sh up STATE_DIR
#   wine-session.sh run STATE_DIR EXE [ARGS...]
#   wine-session.sh down STATE_DIR
#   wine-session.sh grab-start STATE_DIR
#   wine-session.sh grab-stop STATE_DIR
#   wine-session.sh status STATE_DIR
#   wine-session.sh probe-32bit STATE_DIR
#
# WINE_SESSION_DISPLAY=:N makes `up` use that X display instead of an Xvfb of
# its own (`down` leaves it running); WINE_SESSION_SCREEN=WxH sizes the
# desktop (and the Xvfb), 1024x768 unless set.
#
# Exit codes of `run`: the program's own status; 124 timeout; 125 no live
# session or bad arguments; 127 the program could not be started; 255 the
# program's exit code does not fit in 8 bits (it is printed).
set -euo pipefail

readonly WINE=/usr/lib/wine/wine64
readonly WINESERVER=/usr/lib/wine/wineserver64
readonly MINGW_CC=x86_64-w64-mingw32-gcc
readonly LOCALE_NAME=ja_JP.UTF-8
SCREEN=${WINE_SESSION_SCREEN:-1024x768}
readonly SCREEN
# The prefix layout or registry tweaks below changed: bump to rebuild old prefixes.
# 4: a prefix made with wine32:i386 installed has syswow64, which 32-bit programs need.
readonly PREFIX_VERSION=4
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly SOURCE_DIR

die() {
    echo "wine-session: $*" >&2
    exit 125
}

note() {
    echo "wine-session: $*" >&2
}

usage() {
    echo "usage:" >&2
    sed -n 's/^#   \(wine-session\.sh .*\)/  \1/p' "${BASH_SOURCE[0]}" >&2
    exit 125
}

now() {
    date +%s.%N
}

elapsed_since() {
    awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'
}

# A zombie still answers kill -0, but it has let go of everything it held.
is_running() {
    local pid=$1 stat
    [[ -n $pid && -r /proc/$pid/stat ]] || return 1
    read -r stat <"/proc/$pid/stat" 2>/dev/null || return 1
    stat=${stat##*) }
    [[ ${stat%% *} != Z ]]
}

# Guards against a recycled pid: a Wine process that still carries this session's prefix.
# Shells that sourced session.env carry it too, hence the check on the executable.
belongs_to_session() {
    local pid=$1 exe
    is_running "$pid" || return 1
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || return 1
    [[ $exe == /usr/lib/wine/* ]] || return 1
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"
}

session_wine_processes() {
    local exe pid
    while read -r exe; do
        pid=${exe#/proc/}
        pid=${pid%/exe}
        if belongs_to_session "$pid"; then
            echo "$pid"
        fi
    done < <(find /proc -mindepth 2 -maxdepth 2 -name exe -lname '/usr/lib/wine/*' 2>/dev/null)
}

is_our_xvfb() {
    local pid=$1
    is_running "$pid" || return 1
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]]
}

# wait_gone SECONDS PID...: true once none of PIDs runs, false at the deadline.
wait_gone() {
    local seconds=$1 deadline pid busy
    shift
    deadline=$((SECONDS + seconds))
    while :; do
        busy=0
        for pid in "$@"; do
            if is_running "$pid"; then
                busy=1
            fi
        done
        ((busy)) || return 0
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Background daemons must not keep the caller's pipes or our lock files open.
close_inherited_fds() {
    local fd
    for fd in "/proc/$BASHPID/fd/"*; do
        fd=${fd##*/}
        if ((fd > 2)); then
            eval "exec $fd>&-"
        fi
    done
}

set_state_dir() {
    [[ -n ${1:-} ]] || usage
    mkdir -p "$1"
    STATE_DIR=$(cd "$1" && pwd)
    ENV_FILE=$STATE_DIR/session.env
    PROBE_FILE=$STATE_DIR/probe-32bit
}

lock_state_dir() {
    exec 9>"$STATE_DIR/session.lock"
    flock -w 600 9 || die "timed out waiting for $STATE_DIR/session.lock"
}

load_session() {
    [[ -f $ENV_FILE ]] || return 1
    # shellcheck disable=SC1090
    source "$ENV_FILE"
}

# A session on a display it was given has no Xvfb of its own to watch.
display_is_live() {
    if [[ ${WINE_SESSION_GIVEN_DISPLAY:-0} == 1 ]]; then
        timeout 5 xdpyinfo >/dev/null 2>&1
    else
        is_our_xvfb "$WINE_SESSION_XVFB_PID"
    fi
}

session_is_live() {
    (
        load_session || exit 1
        [[ ${WINE_SESSION_READY:-0} == 1 ]] || exit 1
        [[ $(cat "/proc/$WINE_SESSION_WINESERVER_PID/comm" 2>/dev/null) == wineserver64 ]] || exit 1
        is_running "$WINE_SESSION_WINESERVER_PID" && display_is_live &&
            belongs_to_session "$WINE_SESSION_DESKTOP_PID"
    )
}

write_env() {
    local tmp=$ENV_FILE.tmp name
    {
        echo "# Written by wine-session.sh up; source it to run wine64 by hand."
        for name in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LC_ALL TMPDIR \
            WINE_SESSION_DIR WINE_SESSION_DESKTOP WINE_SESSION_LAUNCHER \
            WINE_SESSION_XVFB_PID WINE_SESSION_GIVEN_DISPLAY WINE_SESSION_WINESERVER_PID \
            WINE_SESSION_DESKTOP_PID WINE_SESSION_READY; do
            printf 'export %s=%q\n' "$name" "${!name:-}"
        done
    } >"$tmp"
    mv -f "$tmp" "$ENV_FILE"
}

check_locale() {
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
        die "locale $LOCALE_NAME is missing; generate it with:
  sed -i 's/^# *\\(ja_JP.UTF-8 UTF-8\\)/\\1/' /etc/locale.gen && locale-gen"
    fi
}

# build_if_stale OUTPUT SOURCE COMPILER [FLAGS...]; libraries go in $LIBS, after the source.
build_if_stale() {
    local out=$1 src=$2
    shift 2
    if [[ ! -x $out || $src -nt $out ]]; then
        # shellcheck disable=SC2086 # LIBS is a list of flags
        "$@" -o "$out.tmp" "$src" ${LIBS:-} || die "cannot build $out"
        mv -f "$out.tmp" "$out"
    fi
}

build_launcher() {
    command -v "$MINGW_CC" >/dev/null || die "$MINGW_CC not found (package g++-mingw-w64-x86-64)"
    build_if_stale "$STATE_DIR/launch.exe" "$SOURCE_DIR/launch.c" \
        "$MINGW_CC" -std=c99 -O2 -Wall -Wextra -Werror -municode
}

build_grabber() {
    LIBS=-lX11 build_if_stale "$STATE_DIR/grab_pointer" "$SOURCE_DIR/grab_pointer.c" \
        cc -std=c99 -D_POSIX_C_SOURCE=200809L -O2 -Wall -Wextra -Werror
}

use_given_display() {
    DISPLAY=$WINE_SESSION_DISPLAY
    export DISPLAY
    timeout 5 xdpyinfo >/dev/null 2>&1 || die "cannot open the display $DISPLAY"
}

start_xvfb() {
    local display_file=$STATE_DIR/display deadline
    rm -f "$display_file"
    (
        close_inherited_fds
        exec 3>"$display_file" </dev/null >"$STATE_DIR/xvfb.log" 2>&1
        exec setsid Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp
    ) &
    WINE_SESSION_XVFB_PID=$!
    deadline=$((SECONDS + 15))
    # Xvfb writes the display number once it accepts clients.
    until [[ -s $display_file ]] && grep -q '^[0-9][0-9]*$' "$display_file"; do
        is_running "$WINE_SESSION_XVFB_PID" || die "Xvfb exited; see $STATE_DIR/xvfb.log"
        ((SECONDS < deadline)) || die "Xvfb did not report a display within 15 s"
        sleep 0.05
    done
    DISPLAY=:$(head -n1 "$display_file")
    export DISPLAY
}

stop_xvfb() {
    local pid=$1
    is_our_xvfb "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null || true
    if ! wait_gone 10 "$pid"; then
        kill -KILL "$pid" 2>/dev/null || true
        wait_gone 5 "$pid" || note "Xvfb $pid is still running"
    fi
}

# Debian's wineserver keeps its socket under a random directory in $TMPDIR, named in
# $WINEPREFIX/wineserver.
server_socket() {
    local dev ino dir=/tmp/.wine-$UID
    read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
    if [[ -s $WINEPREFIX/wineserver ]]; then
        dir=$(cat "$WINEPREFIX/wineserver")
        [[ $dir == /* ]] || dir=${TMPDIR:-/tmp}/$dir
    fi
    printf '%s/server-%x-%x/socket' "$dir" "$dev" "$ino"
}

start_wineserver() {
    local deadline
    mkdir -p "$WINEPREFIX"
    (
        close_inherited_fds
        exec </dev/null >>"$STATE_DIR/wineserver.log" 2>&1
        exec setsid "$WINESERVER" -f -p
    ) &
    WINE_SESSION_WINESERVER_PID=$!
    deadline=$((SECONDS + 15))
    until [[ -S $(server_socket) ]]; do
        is_running "$WINE_SESSION_WINESERVER_PID" ||
            die "wineserver exited (another one may own $WINEPREFIX); see $STATE_DIR/wineserver.log"
        ((SECONDS < deadline)) || die "wineserver socket did not appear within 15 s"
        sleep 0.05
    done
}

stop_wineserver() {
    local pid=$1
    is_running "$pid" || return 0
    # SIGINT makes the server end its clients and save the registry before it exits.
    kill -INT "$pid" 2>/dev/null || true
    if ! wait_gone 20 "$pid"; then
        note "wineserver $pid ignored SIGINT for 20 s; killing it"
        kill -KILL "$pid" 2>/dev/null || true
        wait_gone 5 "$pid" || note "wineserver $pid is still running"
    fi
}

wine_bounded() {
    local seconds=$1
    shift
    timeout --foreground -k 5 "$seconds" "$WINE" "$@"
}

# A fresh prefix has no fonts of its own: Wine's (Marlett draws the caption
# buttons) go into it, and the dialogs' Japanese faces map to VL Gothic.
install_fonts() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts face
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || note "no Wine fonts to copy"
    for face in "ＭＳ Ｐゴシック:VL PGothic" "ＭＳ ゴシック:VL Gothic" "MS UI Gothic:VL PGothic"; do
        wine_bounded 60 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "${face%%:*}" /t REG_SZ /d "${face#*:}" /f >>"$STATE_DIR/prefix.log" 2>&1 ||
            die "cannot map the font ${face%%:*}; see $STATE_DIR/prefix.log"
    done
}

# The prefix is made once, by a server of its own, and reused by later sessions.
ensure_prefix() {
    local marker=$WINEPREFIX/.wine-session-prefix started
    if [[ -f $marker && $(cat "$marker") == "$PREFIX_VERSION" ]]; then
        return 0
    fi
    started=$(now)
    note "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    start_wineserver
    wine_bounded 300 wineboot -i >>"$STATE_DIR/prefix.log" 2>&1 ||
        die "wineboot -i failed; see $STATE_DIR/prefix.log"
    # A crashing test must end with a backtrace, not wait on a crash dialog.
    wine_bounded 60 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >>"$STATE_DIR/prefix.log" 2>&1 || die "cannot configure winedbg; see $STATE_DIR/prefix.log"
    install_fonts
    stop_wineserver "$WINE_SESSION_WINESERVER_PID"
    WINE_SESSION_WINESERVER_PID=
    [[ $(readlink "$WINEPREFIX/dosdevices/z:") == / ]] || die "prefix has no Z: drive for /"
    echo "$PREFIX_VERSION" >"$marker"
    note "prefix created in $(elapsed_since "$started") s"
}

start_desktop() {
    local ready=$STATE_DIR/holder.ready deadline
    rm -f "$ready"
    (
        close_inherited_fds
        exec </dev/null >>"$STATE_DIR/desktop.log" 2>&1
        exec setsid "$WINE" explorer "/desktop=$WINE_SESSION_DESKTOP,$SCREEN" \
            "$(dos_path "$WINE_SESSION_LAUNCHER")" -hold "$ready"
    ) &
    WINE_SESSION_DESKTOP_PID=$!
    deadline=$((SECONDS + 60))
    # The holder starts only once explorer has made the desktop.
    until [[ -s $ready ]]; do
        is_running "$WINE_SESSION_DESKTOP_PID" || die "desktop exited; see $STATE_DIR/desktop.log"
        ((SECONDS < deadline)) || die "desktop did not come up within 60 s"
        sleep 0.05
    done
}

# Whether 32-bit programs run here, asked once per session in its own prefix: the
# probe's status and line, which `probe-32bit` gives back to every caller.
probe_32bit() {
    local line rc=0
    line=$("$SOURCE_DIR/probe-32bit.sh" "$STATE_DIR/probe" 2>&1) || rc=$?
    ((rc == 0)) || rc=1
    printf '%s\n%s\n' "$rc" "$line" >"$PROBE_FILE.tmp"
    mv -f "$PROBE_FILE.tmp" "$PROBE_FILE"
    note "$line"
}

# The prefix maps / to Z:, which explorer needs to find the launcher.
dos_path() {
    local path=${1//\//\\}
    printf 'Z:%s' "$path"
}

# Cleans up after an `up` that failed half way.
abort_up() {
    local rc=$?
    trap - EXIT
    if ((rc != 0)); then
        note "up failed; stopping what it started"
        teardown
    fi
    exit "$rc"
}

cmd_up() {
    local started
    set_state_dir "${1:-}"
    lock_state_dir
    if session_is_live; then
        note "session in $STATE_DIR is already up"
        return 0
    fi
    if [[ -f $ENV_FILE ]]; then
        note "clearing a stale session in $STATE_DIR"
        (load_session && teardown)
    fi
    started=$(now)
    check_locale
    [[ $SCREEN =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || die "WINE_SESSION_SCREEN must be WxH, got '$SCREEN'"
    if [[ -z ${WINE_SESSION_DISPLAY:-} ]]; then
        command -v Xvfb >/dev/null || die "Xvfb not found (package xvfb)"
    fi
    [[ -x $WINE && -x $WINESERVER ]] || die "$WINE or $WINESERVER missing (package wine64)"

    export WINEPREFIX=$STATE_DIR/prefix
    export WINEDEBUG=-all
    # winemenubuilder would write menu entries and file associations into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LC_ALL=$LOCALE_NAME
    # Clients find the server's socket directory relative to TMPDIR, so it must not change.
    export TMPDIR=${TMPDIR:-/tmp}
    export WINE_SESSION_DIR=$STATE_DIR
    export WINE_SESSION_DESKTOP=${WINE_SESSION_DESKTOP:-wine-test}
    export WINE_SESSION_LAUNCHER=$STATE_DIR/launch.exe
    WINE_SESSION_XVFB_PID=
    WINE_SESSION_GIVEN_DISPLAY=0
    WINE_SESSION_WINESERVER_PID=
    WINE_SESSION_DESKTOP_PID=
    WINE_SESSION_READY=0

    trap abort_up EXIT
    build_launcher
    if [[ -n ${WINE_SESSION_DISPLAY:-} ]]; then
        WINE_SESSION_GIVEN_DISPLAY=1
        use_given_display
    else
        start_xvfb
    fi
    write_env
    ensure_prefix
    start_wineserver
    write_env
    start_desktop
    probe_32bit
    WINE_SESSION_READY=1
    write_env
    trap - EXIT
    note "up: DISPLAY=$DISPLAY desktop=$WINE_SESSION_DESKTOP in $(elapsed_since "$started") s"
}

# Stops the session in the current variables; safe on a half-made or dead session.
teardown() {
    local left
    stop_grab
    if [[ -n ${WINE_SESSION_WINESERVER_PID:-} ]]; then
        stop_wineserver "$WINE_SESSION_WINESERVER_PID"
    fi
    # Wine processes die with their server; anything still carrying the prefix is ours.
    if [[ -n ${WINEPREFIX:-} ]]; then
        mapfile -t left < <(session_wine_processes)
        if ((${#left[@]})); then
            note "ending leftover Wine processes: ${left[*]}"
            kill -TERM "${left[@]}" 2>/dev/null || true
            wait_gone 5 "${left[@]}" || kill -KILL "${left[@]}" 2>/dev/null || true
        fi
    fi
    stop_xvfb "${WINE_SESSION_XVFB_PID:-}"
    rm -f "$ENV_FILE" "$STATE_DIR/display" "$STATE_DIR/holder.ready" "$PROBE_FILE"
}

cmd_down() {
    set_state_dir "${1:-}"
    lock_state_dir
    if [[ ! -f $ENV_FILE ]]; then
        note "no session in $STATE_DIR"
        return 0
    fi
    load_session
    teardown
    note "down: $STATE_DIR (prefix kept)"
}

start_grab() {
    local seconds=$1 out=$STATE_DIR/grab.out deadline
    stop_grab
    build_grabber
    : >"$out"
    (
        close_inherited_fds
        exec </dev/null >"$out" 2>&1
        exec "$STATE_DIR/grab_pointer" "$seconds"
    ) &
    echo "$!" >"$STATE_DIR/grab.pid"
    deadline=$((SECONDS + 10))
    until grep -qx grabbed "$out"; do
        if ! is_running "$(cat "$STATE_DIR/grab.pid")" || ((SECONDS >= deadline)); then
            cat "$out" >&2
            stop_grab
            die "pointer grab failed"
        fi
        sleep 0.05
    done
}

stop_grab() {
    local file=$STATE_DIR/grab.pid pid
    [[ -f $file ]] || return 0
    pid=$(cat "$file")
    if is_running "$pid" && [[ $(cat "/proc/$pid/comm" 2>/dev/null) == grab_pointer ]]; then
        kill -TERM "$pid" 2>/dev/null || true
        wait_gone 5 "$pid" || kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$file"
}

require_live_session() {
    session_is_live || die "no live session in $STATE_DIR; start one with: $0 up $STATE_DIR"
    load_session
}

cmd_grab_start() {
    set_state_dir "${1:-}"
    require_live_session
    start_grab "${WINE_GRAB_SECONDS:-3600}"
}

cmd_grab_stop() {
    set_state_dir "${1:-}"
    stop_grab
}

cmd_status() {
    set_state_dir "${1:-}"
    if session_is_live; then
        cat "$ENV_FILE"
    else
        note "no live session in $STATE_DIR"
        return 1
    fi
}

cmd_run() {
    local exe limit started rc=0
    set_state_dir "${1:-}"
    [[ -n ${2:-} ]] || usage
    exe=$2
    shift 2
    limit=${WINE_RUN_TIMEOUT:-120}
    if [[ ! $limit =~ ^[0-9]+$ ]] || ((limit == 0 || limit > 3600)); then
        die "WINE_RUN_TIMEOUT must be 1..3600 seconds, got '$limit'"
    fi
    require_live_session
    # A path that names a file here goes to the launcher as an absolute host path;
    # a bare name like cmd.exe is left to the Windows search.
    if [[ $exe == */* || -e $exe ]]; then
        [[ $exe == /* ]] || exe=$PWD/$exe
        [[ -f $exe ]] || die "no such program: $exe"
    fi
    if [[ ${WINE_RUN_GRAB:-0} == 1 ]]; then
        start_grab $((limit + 30))
    fi
    # The launcher enforces the limit itself and kills the program's whole job;
    # the outer timeout only catches a launcher that hangs.
    started=$SECONDS
    timeout --foreground -k 5 $((limit + 15)) \
        "$WINE" "$WINE_SESSION_LAUNCHER" -d "$WINE_SESSION_DESKTOP" -t "$limit" "$exe" "$@" || rc=$?
    if [[ ${WINE_RUN_GRAB:-0} == 1 ]]; then
        stop_grab
    fi
    if ((rc == 137 || (rc == 124 && SECONDS - started >= limit + 15))); then
        note "launcher hung; killed after $((SECONDS - started)) s: $exe"
        return 124
    fi
    return "$rc"
}

cmd_probe_32bit() {
    local rc line
    set_state_dir "${1:-}"
    if session_is_live && [[ -f $PROBE_FILE ]]; then
        { read -r rc && read -r line; } <"$PROBE_FILE"
        echo "$line"
        return "$rc"
    fi
    note "no live session in $STATE_DIR; probing in a prefix of the probe's own"
    (unset WINEPREFIX && exec "$SOURCE_DIR/probe-32bit.sh")
}

main() {
    local cmd=${1:-}
    [[ -n $cmd ]] || usage
    shift
    case $cmd in
    up) cmd_up "$@" ;;
    down) cmd_down "$@" ;;
    run) cmd_run "$@" ;;
    grab-start) cmd_grab_start "$@" ;;
    grab-stop) cmd_grab_stop "$@" ;;
    status) cmd_status "$@" ;;
    probe-32bit) cmd_probe_32bit "$@" ;;
    *) usage ;;
    esac
}

main "$@"
