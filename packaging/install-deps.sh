#!/usr/bin/env bash
# Brings in every Debian package that building, running and testing Lattora needs.
# Safe to run again: when everything is already installed it returns at once.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libpng-dev fonts-dejavu-core clang-format
    clang-14 libclang-rt-14-dev llvm-14
    xvfb xauth xdotool poppler-utils netpbm pngcheck
    libcups2-dev cups jq lintian file
    dpkg-dev appstream desktop-file-utils man-db
)

# The benchmarks compare with a plotting-library script; building and
# testing never need it.
if [ "${1:-}" = bench ]; then
    packages+=(python3-matplotlib)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]}; run this script as root" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
