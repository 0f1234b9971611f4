#!/usr/bin/env bash
# Builds the Windows preset and runs the Windows test binary (the Win32
# backend against real Win32 behaviour) under Wine.
# Extra arguments go to the test binary (e.g. --gtest_filter=Clipboard*).
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"
fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow_win_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
tests="$FENLOW_WINDOWS_BUILD/tests/win32/fenlow_win_tests.exe"
fenlow_run_windows_tests "$tests" 600 "$@"

# Without arguments, the Recipes dialog's layout once more at 144 and 192 DPI,
# on a virtual screen of the size such a DPI comes with (2560x1600 at 192).
if [ $# -eq 0 ]; then
  if [ -n "${FENLOW_XVFB_PID:-}" ]; then
    fenlow_wine_stop
    unset DISPLAY
    FENLOW_XVFB_SCREEN=2560x1600x24 fenlow_start_display
  fi
  trap 'fenlow_wine_set_dpi 96; fenlow_wine_stop' EXIT
  for dpi in 144 192; do
    echo "== the Recipes dialog once more at $dpi DPI"
    fenlow_wine_set_dpi "$dpi"
    FENLOW_EXPECT_DPI=$dpi fenlow_run_windows_tests "$tests" 120 \
      --gtest_filter='RealRecipesDialog.*'
  done
fi
