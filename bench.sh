#!/usr/bin/env bash
# Builds the release build with the benchmarks and prints their table.
# Arguments go to the benchmark program: --runs N (default 20),
# --idle-seconds S (default 60), --only model,upload,startup,idle,shown,hidden,views.
# The shown start-ups and the views' rows run on the X server of DISPLAY, or
# on an Xvfb of their own when DISPLAY is not set.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
r7_install_missing
mkdir -p build
r7_build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DR7_BENCH=ON

# A home of its own for the benchmark program, which also holds the fresh
# home folders of the programs it starts; removed at the end.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/r7-bench.XXXXXX")
bench_pid=""
xvfb_pid=""
runtimes=""
finish() {
  if [ -n "$bench_pid" ] && kill -0 "$bench_pid" 2>/dev/null; then
    kill -TERM "$bench_pid" 2>/dev/null || true
    wait "$bench_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch" "$runtimes"
}
trap finish EXIT
trap 'exit 130' INT TERM

# Session runtime folders are a tmpfs on a desktop (/run/user/ID); /dev/shm
# is one too.
runtimes_base=/dev/shm
[ -d "$runtimes_base" ] && [ -w "$runtimes_base" ] || runtimes_base=${TMPDIR:-/tmp}
runtimes=$(mktemp -d "$runtimes_base/r7-bench-runtime.XXXXXX")
mkdir -p "$scratch/home" "$scratch/homes"

# An X server without a window manager for the rows that show windows: the
# one given, or one of our own on a free display number.
display=${DISPLAY:-}
if [ -z "$display" ]; then
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$scratch/display" ] && display=":$(head -n1 "$scratch/display")"
fi
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share" \
  XDG_CACHE_HOME="$scratch/home/.cache" QT_QPA_PLATFORM=offscreen \
  build/bench/bench/r7_bench --homes "$scratch/homes" --runtimes "$runtimes" --display "$display" "$@" &
bench_pid=$!
status=0
wait "$bench_pid" || status=$?
bench_pid=""
exit "$status"
