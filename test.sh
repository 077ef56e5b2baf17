#!/usr/bin/env bash
# Installs what is missing, builds, checks the layering and runs every test.
# With CI=true a compiler warning fails the build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_WERROR=$werror >/dev/null
cmake --build build
scripts/check-layering.sh build
# GUI tests never touch the user's settings or need a display.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$tmp/run"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
