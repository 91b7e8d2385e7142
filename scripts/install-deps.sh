#!/usr/bin/env bash
# Installs what building and testing Kalverin needs on Debian 12, skipping what is there.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev fonts-dejavu-core
          poppler-utils)
# The linker that lays out the start's code together in optimised builds.
packages+=(lld)
# The real-window test: a virtual X server with its key, a keyboard and mouse driver, and
# screenshots.
packages+=(xvfb xauth xdotool imagemagick)
# Checks of the desktop entry and the AppStream data, and of the weapon file's type as a
# desktop's file manager reads it.
packages+=(desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
