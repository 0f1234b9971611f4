#!/usr/bin/env bash
# Builds the Windows preset and runs the Windows test binary (the Win32
# backend against real Win32 behaviour) under Wine.
# Extra arguments go to the test binary (e.g. --gtest_filter=Clipboard*).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

build_dir="${FENLOW_WINDOWS_BUILD:-build/windows}"
cmake --preset windows -B "$build_dir" ${FENLOW_WERROR:+-DFENLOW_WERROR=ON} >/dev/null
cmake --build "$build_dir" -j2 --target fenlow_win_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
fenlow_run_windows_tests "$build_dir/tests/win32/fenlow_win_tests.exe" 600 "$@"
