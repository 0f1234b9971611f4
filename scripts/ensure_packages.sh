#!/usr/bin/env bash
# shellcheck disable=SC2034  # the package lists are for the scripts that source this file
# Installs the Debian packages the build and the tests need, when missing.
# Sourced or run: ensure_packages <package>...; the package lists below are
# what each command of the README uses.
set -euo pipefail

# The header-only libraries both builds stage and compile (cmake/ThirdParty.cmake):
# the TOML parser, the Boost 1.81 headers, whose regex library is header-only,
# and dtl, the O(ND) difference of the Recipes dialog's preview.
# libboost1.81-dev conflicts with Debian's default libboost-dev (1.74): on a
# machine that has that one, apt-get removes it to install this.
FENLOW_HEADER_PACKAGES=(libtomlplusplus-dev libboost1.81-dev libdtl-dev)
FENLOW_BUILD_PACKAGES=(cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev "${FENLOW_HEADER_PACKAGES[@]}")
# The engine's Unicode tables are made at build time from the Unicode
# Character Database, by a Python script.
FENLOW_BUILD_PACKAGES+=(python3 unicode-data)
# The Windows cross-build; Wine with a virtual display, the clipboard tool,
# the keyboard and focus tool and the window and screenshot tools; both
# together.
FENLOW_CROSS_PACKAGES=(cmake make g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  "${FENLOW_HEADER_PACKAGES[@]}")
FENLOW_CROSS_PACKAGES+=(python3 unicode-data)
FENLOW_WINE_PACKAGES=(wine64 wine xvfb xclip xdotool x11-utils imagemagick fonts-liberation)
FENLOW_WINDOWS_PACKAGES=("${FENLOW_CROSS_PACKAGES[@]}" "${FENLOW_WINE_PACKAGES[@]}")
# The release (scripts/package.sh, scripts/test_release.sh): the installer
# compiler, the zip tools.
FENLOW_RELEASE_PACKAGES=(nsis zip unzip)
# scripts/bench_cli.sh: the peak-memory timer and the tools it races.
FENLOW_BENCH_PACKAGES=(time python3)

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
