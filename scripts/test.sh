#!/usr/bin/env bash
# Installs what is missing, builds Ravo with its tests and runs every test: unit, window
# and desktop tests, and the drawing engine's tests once more under the sanitizers.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ravo_install_packages
ravo_build "$RAVO_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
RAVO_TARGET=ravo_gfx_tests ravo_build "$RAVO_SOURCE/build-sanitize" -DCMAKE_BUILD_TYPE=Debug \
    -DRAVO_SANITIZE=ON -DRAVO_BENCH=OFF

status=0
ctest --test-dir "$RAVO_BUILD" --output-on-failure -j "$(nproc)" || status=1
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$RAVO_SOURCE/build-sanitize" --output-on-failure -R '^gfx\.' || status=1
exit $status
