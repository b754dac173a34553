#!/usr/bin/env bash
# Does this machine run 32-bit Windows code under Wine? Prints one line with
# the answer and the reason, and exits 0 for yes, 1 for no (2: bad usage).
#
#   probe-32bit.sh [WORK_DIR]
#
# Two steps: the kernel must execute Wine's 32-bit loader, and a tiny i686
# console program built with the win32 toolchain must print its line under
# Wine. With WINEPREFIX set, the program runs in that prefix (a session's,
# whose wineserver is up); without it, in a throwaway prefix made and removed
# here (about 15 s). WORK_DIR keeps the built probe (default: a temporary one).
#
# Some kernels refuse 32-bit x86 code outright ("Exec format error"), and
# a prefix made before wine32:i386 was installed has no syswow64.
set -uo pipefail

readonly LOADER32=/usr/lib/wine/wine
readonly WINE=/usr/lib/wine/wine64
readonly WINESERVER=/usr/lib/wine/wineserver64
readonly MINGW_CC=i686-w64-mingw32-gcc
readonly EXPECTED="i686 code ran"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

answer() {
    local verdict=$1
    shift
    echo "32-bit Windows code under Wine: $verdict, $*"
    [[ $verdict == yes ]]
    exit $?
}

(($# <= 1)) || {
    echo "usage: probe-32bit.sh [WORK_DIR]" >&2
    exit 2
}

[[ -e $LOADER32 ]] || answer no "$LOADER32 is missing (package wine32:i386)"
# The loader prints its version without a prefix or a server: this only asks the kernel.
# bash's exec, unlike timeout's execvp, does not fall back to running a refused ELF as a script.
# shellcheck disable=SC2016 # expanded by the inner bash
loader_out=$(timeout 30 bash -c 'exec "$0" --version' "$LOADER32" 2>&1) || {
    rc=$?
    ((rc != 126)) || answer no "the kernel refuses 32-bit x86 code ($LOADER32: Exec format error)"
    answer no "$LOADER32 --version failed with status $rc: $(tail -n1 <<<"$loader_out")"
}
command -v "$MINGW_CC" >/dev/null || answer no "$MINGW_CC not found (package gcc-mingw-w64-i686)"

work=${1:-}
cleanup_dirs=()
if [[ -z $work ]]; then
    work=$(mktemp -d "${TMPDIR:-/tmp}/probe-32bit.XXXXXX")
    cleanup_dirs+=("$work")
fi
mkdir -p "$work"
own_prefix=0
if [[ -z ${WINEPREFIX:-} ]]; then
    export WINEPREFIX=$work/prefix
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    own_prefix=1
fi
# shellcheck disable=SC2317 # called by the EXIT trap
finish() {
    if ((own_prefix)); then
        timeout 30 "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    ((${#cleanup_dirs[@]} == 0)) || rm -rf "${cleanup_dirs[@]}"
}
trap finish EXIT

exe=$work/probe32.exe
if [[ ! -x $exe || $here/probe32.c -nt $exe ]]; then
    "$MINGW_CC" -std=c99 -O2 -Wall -Wextra -Werror -o "$exe.tmp" "$here/probe32.c" 2>"$work/probe32.log" ||
        answer no "$MINGW_CC could not build the probe (see $work/probe32.log)"
    mv -f "$exe.tmp" "$exe"
fi

if ((!own_prefix)) && [[ ! -d $WINEPREFIX/drive_c/windows/syswow64 ]]; then
    answer no "the prefix $WINEPREFIX has no syswow64 (made before wine32:i386 was installed)"
fi
# wine64 hands a 32-bit program to the 32-bit loader, as CreateProcess does in the tests.
out=$(timeout 120 "$WINE" "$exe" 2>&1)
rc=$?
if ((rc == 0)) && grep -qxF "$EXPECTED" <<<"${out//$'\r'/}"; then
    answer yes "an i686 program printed its line (Wine loader $loader_out)"
fi
answer no "the i686 probe under $WINE gave status $rc and '$(printf '%s' "${out//$'\r'/}" | tail -n1)'"
