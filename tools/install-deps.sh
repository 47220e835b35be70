#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Kartoval
# need, and only those that are missing. Safe to run again.
set -euo pipefail

# "install-deps.sh fuzz" adds what the fuzz targets need (clang and its
# libFuzzer runtime).
packages=(
  g++ cmake make python3
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  proj-bin proj-data libproj-dev libtiff-dev pkg-config time strace
  xvfb xauth
  dpkg-dev file man-db groff-base desktop-file-utils zsh
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

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
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
