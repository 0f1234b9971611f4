#!/usr/bin/env bash
# Builds everything and runs every test: the native suites (engine, simulated
# desktop, command-line tool), the benchmarks built and run briefly, and the
# Windows build under Wine. Every build of the README runs here, so none of
# them can rot.
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

export FENLOW_WERROR=1  # every build below, the other scripts' too

echo "== native build (with the benchmarks) and tests"
fenlow_build native build/native -DFENLOW_BUILD_BENCH=ON
ctest --preset native -j"$FENLOW_JOBS"

echo "== benchmarks, a short run each"
build/native/bench/fenlow_edits_bench --benchmark_min_time=0.01
build/native/bench/fenlow_monitor_bench --benchmark_filter='/5MB/'  # the smallest text only

echo "== native suites under AddressSanitizer and UndefinedBehaviorSanitizer"
fenlow_build native-asan build/native-asan
ctest --preset native-asan -j"$FENLOW_JOBS"

echo "== fuzz targets, 20 seconds each"
bash scripts/fuzz.sh 20

echo "== Windows build, the whole preset, and tests under Wine"
fenlow_build windows "$FENLOW_WINDOWS_BUILD"
bash scripts/test_wine.sh

echo "== The real program under Wine: end-to-end scenarios"
bash scripts/test_e2e.sh

echo "== The release under Wine: portable zip, silent install, the installed program, uninstall"
bash scripts/test_release.sh
