#!/usr/bin/env bash
# Builds the control panel (release) and starts it with this script's arguments.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_build_release
exec "build/release/src/app/Corvanelle R7 Control Panel" "$@"
