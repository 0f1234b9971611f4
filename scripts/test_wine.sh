#!/usr/bin/env bash
# Builds the Windows preset and runs the Windows test binary under Wine.
# Extra arguments go to the test binary (e.g. --gtest_filter=Clipboard*).
set -euo pipefail
cd "$(dirname "$0")/.."

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || {
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    cmake g++-mingw-w64-x86-64-posix googletest >/dev/null
}
[ -d /usr/src/googletest ] || {
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq googletest >/dev/null
}

build_dir="${FENLOW_WINDOWS_BUILD:-build/windows}"
cmake --preset windows -B "$build_dir" ${FENLOW_WERROR:+-DFENLOW_WERROR=ON} >/dev/null
cmake --build "$build_dir" -j2 --target fenlow_win_tests

# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT

# The wine launcher's advice about a missing 32-bit Wine is noise here: the
# programs are 64-bit.
set +e
timeout 600 wine "$build_dir/tests/win32/fenlow_win_tests.exe" --gtest_brief=1 "$@" 2>&1 \
  | grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'add-architecture' -e 'wine32:i386'
status=${PIPESTATUS[0]}
set -e
exit "$status"
