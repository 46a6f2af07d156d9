#!/usr/bin/env bash
# Builds the control panel (release) and starts it with this script's arguments.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_install_missing
mkdir -p build
r7_build build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
exec "build/release/src/app/Corvanelle R7 Control Panel" "$@"
