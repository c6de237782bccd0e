#!/usr/bin/env bash
# Installs everything a fresh Debian (bookworm) machine needs to build and test kelvano.
# Idempotent: packages already present are left as they are.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format clang-tidy libgtest-dev googletest file
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  wine wine64 wine32:i386 xvfb xauth x11-utils libclang-rt-14-dev
)

if [ "$(id -u)" -ne 0 ]; then
  echo "install-prerequisites: run as root (apt-get)" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-prerequisites: everything is installed"
  exit 0
fi

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
