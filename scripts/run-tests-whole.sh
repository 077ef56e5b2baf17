#!/usr/bin/env bash
# Runs every test program of a build once as a whole: all its tests, one after
# the other, in one process. CTest runs each test in a process of its own, so a
# test that leans on what an earlier one left behind (settings, fonts, the
# environment) passes there and fails here. CI runs this after ./test.sh.
#
#   scripts/run-tests-whole.sh [build-dir]     (default: build)
#
# The environment is the one test.sh and CTest give the tests: fresh
# configuration, data and runtime folders, no display, the program folder.
# Prints one line when all passed, the failing program's output otherwise.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

shopt -s nullglob
count=0
failed=()
for program in "$build"/tests/test_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  name=$(basename "$program")
  home="$tmp/$name"
  mkdir -p "$home/config" "$home/data" "$home/run"
  chmod 700 "$home/run"
  count=$((count + 1))
  if ! (cd "$build" &&
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" \
        QT_QPA_PLATFORM=offscreen LC_PROGRAM_DIR="$build/bin" LC_SOURCE_DIR="$src" \
        timeout 900 "$program" --gtest_brief=1) >"$home/log" 2>&1; then
    failed+=("$name")
    echo "-- $name failed when run whole:"
    grep -E -B2 -A8 'Failure$|^\[  FAILED  \]' "$home/log" | head -200 || tail -50 "$home/log"
  fi
done
if [ "$count" -eq 0 ]; then
  echo "no test programs in $build/tests"
  exit 1
fi
if [ "${#failed[@]}" -gt 0 ]; then
  echo "run whole, ${#failed[@]} of $count test programs failed: ${failed[*]}"
  exit 1
fi
echo "run whole, all $count test programs passed"
