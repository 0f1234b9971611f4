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
