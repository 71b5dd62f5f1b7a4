#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/tools/install-deps.sh"
build="$top/build-test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
