#!/usr/bin/env bash
# Builds fenlow.exe and its end-to-end driver (Windows preset) and runs the
# scenarios against the real program under Wine, with xclip as the other
# program on the clipboard. Extra arguments go to the driver
# (e.g. --gtest_filter=*Restart*).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

build_dir="${FENLOW_WINDOWS_BUILD:-build/windows}"
cmake --preset windows -B "$build_dir" ${FENLOW_WERROR:+-DFENLOW_WERROR=ON} >/dev/null
cmake --build "$build_dir" -j2 --target fenlow fenlow_e2e_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
fenlow_run_windows_tests "$build_dir/tests/e2e/fenlow_e2e_tests.exe" 900 "$@"
