# shellcheck shell=bash
# Sourced first by every script that builds:
#   source "$(dirname "$0")/build_env.sh"
# Sets strict mode, makes the repository root the working folder, and gives
# ensure_packages with its package lists, the job count and fenlow_build.
set -euo pipefail

FENLOW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$FENLOW_ROOT"
# shellcheck source=ensure_packages.sh
source scripts/ensure_packages.sh

# Build jobs: 2 at most (the machine is shared), fewer on a smaller machine.
FENLOW_JOBS=$(($(nproc) < 2 ? $(nproc) : 2))
# The Windows build the Wine scripts share, and the release build.
FENLOW_WINDOWS_BUILD="${FENLOW_WINDOWS_BUILD:-build/windows}"
FENLOW_RELEASE_BUILD="${FENLOW_RELEASE_BUILD:-build/release}"

# fenlow_build PRESET BUILD_DIR [-DNAME=VALUE...] [TARGET...]
# Configures PRESET in BUILD_DIR with the given cache settings (and warnings
# as errors when FENLOW_WERROR is set), then builds the given targets, or
# everything when none are given.
fenlow_build() {
  local preset=$1 build_dir=$2
  shift 2
  local settings=() targets=() argument
  for argument in "$@"; do
    case $argument in
      -D*) settings+=("$argument") ;;
      *) targets+=("$argument") ;;
    esac
  done
  cmake --preset "$preset" -B "$build_dir" \
    ${FENLOW_WERROR:+-DFENLOW_WERROR=ON} "${settings[@]}" >/dev/null
  cmake --build "$build_dir" -j"$FENLOW_JOBS" ${targets[@]:+--target "${targets[@]}"}
}
