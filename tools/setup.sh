# Shared set-up of run.sh and test.sh: installs what a fresh Debian 12 machine
# lacks and configures a build folder. Sourced, not run.

r7_packages=(
  g++ cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools
  libudev-dev libxcb1-dev libxcb-ewmh-dev
  dbus-daemon
  fonts-lato
)

r7_install_missing() {
  local missing=() pkg
  for pkg in "${r7_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# r7_build <build dir> <cmake args...>: configures once, then builds incrementally.
# The build's output is shown only when it fails or warns.
r7_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  fi
  local log="$dir/build.log"
  if ! cmake --build "$dir" -j "$(nproc)" >"$log" 2>&1; then
    cat "$log"; return 1
  fi
  grep -E 'warning:' "$log" && cat "$log"
  return 0
}

# The foreground detector's test runs an X server of its own.
r7_packages+=(xvfb xauth)
