#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, and only
# what is missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    fonts-wqy-microhei fontconfig
    libgtest-dev libbenchmark-dev
    xvfb openbox xdotool x11-utils scrot
    clang libclang-rt-dev
    desktop-file-utils appstream dpkg-dev file
    python3-fake-factory
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
