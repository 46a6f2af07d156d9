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

# The release build of run.sh and package.sh, with what it needs installed.
r7_build_release() {
  r7_install_missing
  mkdir -p build
  r7_build build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
}

# r7_build <build dir> <cmake args...>: configures the build folder, then builds
# incrementally. The folder is configured again when the arguments differ from
# those it was configured with (kept in r7-configure-args inside it), from a
# fresh cache so that an option left out does not linger. CMake itself reruns
# the configure step when a CMakeLists.txt changes. The build's output is shown
# only when it fails or warns.
r7_build() {
  local dir=$1; shift
  local stamp="$dir/r7-configure-args" args
  args=$(printf '%s\n' -G Ninja "$@")
  if [ ! -f "$dir/build.ninja" ] || [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$args" ]; then
    rm -f "$stamp" "$dir/CMakeCache.txt"
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
    printf '%s\n' "$args" >"$stamp"
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

# The HID layer's tests run against devices emulated by umockdev.
r7_packages+=(umockdev libumockdev-dev)

# The keystroke recorder's hooks (XInput2 and the keyboard map); their test
# types on a server of its own through XTest.
r7_packages+=(libxcb-xinput-dev libxcb-keysyms1-dev libxcb-xtest0-dev)

# The install and package tests: the desktop entry's validator, what cpack's
# DEB generator runs to find the package's dependencies (dpkg-shlibdeps,
# file), and the checks of the package as Debian's tools judge it (lintian,
# and appstreamcli for the software catalogue's entry).
r7_packages+=(desktop-file-utils dpkg-dev file lintian appstream)
