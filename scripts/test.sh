#!/usr/bin/env bash
# Installs what is missing, checks the formatting of the sources, builds Ravo with its
# tests and runs every test: unit, window and desktop tests, then the engine, platform, unit
# and window tests once more under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, and every fuzz target for 30 seconds. A formatting fault fails
# the command after the tests ran.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ravo_install_packages

status=0
formatted=1
bash "$RAVO_SOURCE/scripts/check-format.sh" || formatted=0

ravo_build "$RAVO_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ravo_build "$RAVO_SOURCE/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DRAVO_SANITIZE=ON -DRAVO_BENCH=OFF

ctest --test-dir "$RAVO_BUILD" --output-on-failure -j "$(nproc)" || status=1
ravo_sanitized ctest --test-dir "$RAVO_SOURCE/build-sanitize" --output-on-failure -j "$(nproc)" \
    --timeout 300 || status=1
# Every reader of outside data fuzzed for a short while; the long runs are on demand.
bash "$RAVO_SOURCE/scripts/fuzz.sh" 30 || status=1
if [ $formatted -eq 0 ]; then
    echo "FAILED: sources not formatted with .clang-format (named at the start)" >&2
    status=1
fi
exit $status
