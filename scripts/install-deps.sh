#!/bin/sh
# Installs what building and testing need on Debian 12, when it is missing.
# 32-bit Wine only where this kernel can run 32-bit programs at all.
set -eu
cd "$(dirname "$0")"

packages="cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine
          googletest libgtest-dev xvfb xauth x11-apps x11-utils imagemagick clang libclang-rt-14-dev
          zip unzip osslsigncode openssl clamav clamav-daemon locales"
need_i386=false
if ./runs-32bit.sh; then
    packages="$packages wine32:i386"
    need_i386=true
fi

# The mail client's users mostly run Windows in Russian or Ukrainian: the
# tests run programs under Wine in code page 1251, which Wine takes from
# this Linux locale.
have_locale() {
    locale -a 2>/dev/null | grep -q -i '^ru_RU\.utf-\?8$'
}

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if $need_i386; then
        $sudo_cmd dpkg --add-architecture i386
    fi
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
if ! have_locale; then
    echo "Making the locale ru_RU.UTF-8"
    $sudo_cmd sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $sudo_cmd locale-gen >/dev/null
fi
