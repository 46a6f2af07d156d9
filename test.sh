#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_install_missing
mkdir -p build
r7_build build/test -DCMAKE_BUILD_TYPE=Debug -DR7_SANITIZE=ON -DR7_WERROR=ON
cd build/test
ctest --output-on-failure -j "$(nproc)" --timeout 600
