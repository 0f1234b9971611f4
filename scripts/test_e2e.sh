#!/usr/bin/env bash
# Builds fenlow.exe and its end-to-end driver (Windows preset) and runs the
# scenarios against the real program under Wine, with xclip as the other
# program on the clipboard. Extra arguments go to the driver
# (e.g. --gtest_filter=*Restart*). Without arguments, the labels' test runs
# once more at 144 and at 192 DPI.
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"
fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow fenlow_e2e_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
tests="$FENLOW_WINDOWS_BUILD/tests/e2e/fenlow_e2e_tests.exe"
fenlow_run_windows_tests "$tests" 900 "$@"

if [ $# -eq 0 ]; then
  trap 'fenlow_wine_set_dpi 96; fenlow_wine_stop' EXIT
  for dpi in 144 192; do
    echo "== the labels once more at $dpi DPI"
    fenlow_wine_set_dpi "$dpi"
    FENLOW_EXPECT_DPI=$dpi fenlow_run_windows_tests "$tests" 120 \
      --gtest_filter='LabelsOfTheRealProgram.*'
  done
fi
