#!/usr/bin/env bash
# Runs one test in a fresh home of its own: HOME, the XDG folders and TMPDIR
# point into a temporary folder that is removed afterwards.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/r7test.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home" "$root/config" "$root/data" "$root/cache" "$root/runtime" "$root/tmp" "$root/datadirs"
chmod 700 "$root/runtime"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
       XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime" XDG_DATA_DIRS="$root/datadirs" \
       XDG_CONFIG_DIRS="$root/config-dirs" TMPDIR="$root/tmp"
"$@"
