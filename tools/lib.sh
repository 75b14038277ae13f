# Shared by tools/run and tools/test: installing what the build needs.
# shellcheck shell=bash

QUORVEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages of the Linux build and its tests.
QUORVEX_LINUX_PACKAGES=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  libboost1.81-dev libcurl4-openssl-dev libsystemd-dev qt6-base-dev qt6-qpa-plugins qt6-wayland)
# The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
QUORVEX_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
# The Windows cross build and wine to run its tests.
# The i686 compiler builds the 32-bit library the library-load tests probe.
QUORVEX_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev g++-mingw-w64-i686-posix wine wine64)
# The Windows screenshot: a virtual X display, window capture, conversion to
# PNG, and wine's own fonts (Tahoma, and the caption buttons' Marlett).
QUORVEX_WINDOWS_SCREENSHOT_PACKAGES=(xvfb xauth x11-apps x11-utils imagemagick fonts-wine)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages that are missing; quick when everything is there.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (once) and builds one preset.
build_preset() {
  local preset=$1
  (cd "$QUORVEX_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset")
}
