#!/bin/sh
# Installs what building and testing need on Debian 12, when it is missing.
set -eu

packages="cmake ninja-build g++ g++-mingw-w64-i686 wine wine32:i386 wine64 fonts-wine googletest libgtest-dev
          xvfb xauth x11-apps x11-utils imagemagick clang libclang-rt-14-dev"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
$sudo_cmd dpkg --add-architecture i386
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
