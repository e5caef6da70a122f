#!/usr/bin/env bash
# Installs the Debian 12 packages Solmarin needs to build, test and run, leaving present ones alone.
set -euo pipefail

packages=(
    build-essential cmake pkg-config python3
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
    libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libcurl4-openssl-dev zlib1g-dev liblz4-dev
    lighttpd libsqlite3-dev libfcgi-dev postgresql libpq-dev wrk
    clang clang-format libclang-rt-14-dev
    fonts-dejavu-core fonts-liberation2 xvfb xauth valgrind time
    libsodium-dev minisign
    qt6-svg-dev desktop-file-utils appstream lintian dpkg-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
