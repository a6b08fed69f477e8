#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (idempotent).
set -euo pipefail
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 binutils-mingw-w64
      wine64 xvfb xdotool x11-utils imagemagick locales fonts-ipafont-gothic)
pkgs+=(python3 unzip)  # the release zip (scripts/dist.py, its check) and the benchmark's files
pkgs+=(fonts-wine)  # Wine's own Marlett: caption buttons in screenshots, not a stand-in glyph
# The shipped i686 exe runs under user-mode emulation: wine32 under qemu-i386.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
pkgs+=(wine32:i386 qemu-user)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
