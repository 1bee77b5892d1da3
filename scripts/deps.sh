#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips what is already installed.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-ipafont-gothic fontconfig
    libgtest-dev libgmock-dev libbenchmark-dev libgsl-dev
    appstream dpkg-dev file
    xvfb xauth imagemagick desktop-file-utils
    clang libclang-rt-14-dev
    x11-utils xdotool qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
