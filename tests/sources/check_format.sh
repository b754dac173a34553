#!/usr/bin/env bash
# Fails, naming each place, where a C or C++ source of the repository differs
# from what .clang-format makes of it.
#
#   check_format.sh CLANG_FORMAT REPO
set -euo pipefail
clang_format=$1
repo=$2
cd "$repo"
mapfile -t sources < <(git ls-files -- '*.c' '*.cpp' '*.h' 2>/dev/null ||
    find . -path ./build -prune -o \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print)
if ((${#sources[@]} == 0)); then
    echo "check_format: no sources found under $repo" >&2
    exit 1
fi
"$clang_format" --dry-run -Werror "${sources[@]}"
echo "check_format: ${#sources[@]} sources match .clang-format"
