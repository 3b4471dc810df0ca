#!/usr/bin/env bash
# Installs what building and testing Quillet needs on a Debian 12 machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick fonts-ipafont-gothic
  googletest
  lhasa libarchive-tools jlha-utils zip gzip
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine names Unix files in the locale's charset: without a real ja_JP.UTF-8 locale every
# Japanese file name is mangled on its way to and from the disk.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  $( [ "$(id -u)" -ne 0 ] && echo sudo ) localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
