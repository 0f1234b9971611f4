#!/usr/bin/env bash
# Builds fenlow.exe and its end-to-end driver (Windows preset) and runs the
# scenarios against the real program under Wine, with xclip as the other
# program on the clipboard. Extra arguments go to the driver
# (e.g. --gtest_filter=*Restart*).
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"
fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow fenlow_e2e_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
fenlow_run_windows_tests "$FENLOW_WINDOWS_BUILD/tests/e2e/fenlow_e2e_tests.exe" 900 "$@"
