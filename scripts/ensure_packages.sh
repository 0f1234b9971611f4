#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Sourced or run: ensure_packages <package>...; the package lists below are
# what each command of the README uses.
set -euo pipefail

FENLOW_BUILD_PACKAGES=(cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev)
FENLOW_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine64 wine xvfb xclip
  x11-utils imagemagick fonts-liberation)
# The release (scripts/package.sh, scripts/test_release.sh): the installer
# compiler, the zip tools.
FENLOW_RELEASE_PACKAGES=(nsis zip unzip)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"
fi
