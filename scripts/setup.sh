#!/usr/bin/env bash
# Installs what the builds, the tests and the Wine runs need on Debian 12.
set -euo pipefail

packages=(
    cmake ninja-build g++ make python3 libgtest-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 wine32:i386 fonts-wine xvfb libx11-dev x11-utils locales fonts-vlgothic xclip xdotool
    clang-14 libclang-rt-14-dev clang-format
    stress-ng
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# wine32 runs the 32-bit programs wherever the kernel executes 32-bit code
# (tools/wine/probe-32bit.sh finds out); its package comes from the i386 archive.
if ! { dpkg --print-architecture; dpkg --print-foreign-architectures; } | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

# Wine shows the programs' Japanese ANSI texts only under code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    "${sudo_cmd[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
