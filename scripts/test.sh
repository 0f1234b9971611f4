#!/usr/bin/env bash
# Builds everything and runs every test: the native suites (engine, simulated
# desktop, command-line tool) and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
export FENLOW_WERROR=1  # the Windows builds of the scripts below, too

echo "== native build and tests"
cmake --preset native -DFENLOW_WERROR=ON >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

echo "== native suites under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-asan -DFENLOW_WERROR=ON >/dev/null
cmake --build --preset native-asan -j"$jobs"
ctest --preset native-asan -j"$jobs"

echo "== fuzz targets, 20 seconds each"
bash scripts/fuzz.sh 20

echo "== Windows build and tests under Wine"
bash scripts/test_wine.sh

echo "== The real program under Wine: end-to-end scenarios"
bash scripts/test_e2e.sh

echo "== The release under Wine: portable zip, silent install, the installed program, uninstall"
bash scripts/test_release.sh
