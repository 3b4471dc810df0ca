#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds every target and runs every test.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

bash "$root/scripts/setup.sh"

echo "== build: Windows 64-bit (tests run on it)"
build_win64
echo "== build: Windows 32-bit"
build_win32
echo "== build: native codec, tests and fuzzers"
build_native

trap 'stop_wine; stop_display' EXIT
start_display
start_wine "$build/win64/wineprefix"

status=0
echo "== tests: Windows 64-bit under Wine"
ctest --test-dir "$build/win64" --output-on-failure -j "$jobs" || status=1
echo "== tests: native"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1
exit $status
