#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
PKGS=(cmake ninja-build g++ clang libclang-rt-14-dev
      qt6-base-dev qt6-multimedia-dev
      libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev
      fonts-dejavu-core
      poppler-utils)  # pdftoppm: the print tests turn their PDF pages into pictures
missing=()
for p in "${PKGS[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
