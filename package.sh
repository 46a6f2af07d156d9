#!/usr/bin/env bash
# Builds the release build (as run.sh does) and makes the Debian package
# build/release/corvanelle-r7_<version>_<architecture>.deb from it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_install_missing
mkdir -p build
r7_build build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cd build/release
rm -f corvanelle-r7_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
ls "$PWD"/corvanelle-r7_*.deb
