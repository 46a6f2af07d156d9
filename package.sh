#!/usr/bin/env bash
# Builds the release build (as run.sh does) and makes the Debian package
# build/release/corvanelle-r7_<version>_<architecture>.deb from it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_build_release
cd build/release
rm -f corvanelle-r7_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
ls "$PWD"/corvanelle-r7_*.deb
