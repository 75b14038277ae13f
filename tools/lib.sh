# Shared by tools/run and tools/test: installing what the build needs.
# shellcheck shell=bash

QUORVEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages of the Linux build and its tests.
QUORVEX_LINUX_PACKAGES=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  libboost1.81-dev libcurl4-openssl-dev)
# The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
QUORVEX_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
# The Windows cross build and wine to run its tests.
QUORVEX_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64)

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
