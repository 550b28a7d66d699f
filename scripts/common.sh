# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
# shellcheck shell=bash
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
JOBS=${JOBS:-$(nproc)}

# Debian packages the build, the program and the tests need.
BUILD_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev-tools qttools5-dev libqt5svg5-dev
  libhidapi-dev libudev-dev libx11-dev libxtst-dev libxi-dev
  fonts-dejavu-core fonts-wqy-microhei qtwayland5
)
# The Debian package, for scripts/package: dpkg-shlibdeps and dpkg-buildflags.
PACKAGE_PACKAGES=(dpkg-dev file)
# clang with its sanitizer and libFuzzer runtimes, for scripts/fuzz.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
TEST_PACKAGES=(
  xvfb xauth xdotool imagemagick x11-utils trayer weston dbus-daemon openbox
  qemu-system-x86 busybox-static cpio clang-format
  lintian appstream desktop-file-utils
  "${PACKAGE_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() {
  # $@: extra cmake options
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "$@"
  cmake --build "$BUILD_DIR" -j "$JOBS"
}
