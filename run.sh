#!/usr/bin/env bash
# Installs what is missing, builds and starts Loopcrafter.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLC_WERROR=OFF >/dev/null
cmake --build build
exec build/bin/loopcrafter "$@"
