# Shared by the project's scripts: repository paths and package installation.
# shellcheck shell=bash

EDGEROAM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export EDGEROAM_ROOT

log() { printf '== %s\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages every part of the build and the tests need.
EDGEROAM_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick zstd procps
  fp-utils nsis
)

# Installs whichever of the given packages are missing.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
}
