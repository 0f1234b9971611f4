# shellcheck shell=bash
# Sourced by the scripts that run Windows programs under Wine:
#   source scripts/wine_env.sh
# Installs what is missing (wine64, Xvfb, xclip, ...), sets up a Wine prefix of
# the repository's own under build/, and gives the programs an X display:
# the current one, or a virtual one started here (stopped by fenlow_wine_stop).

FENLOW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=ensure_packages.sh
source "$FENLOW_ROOT/scripts/ensure_packages.sh"

# Filters the wine launcher's advice about a missing 32-bit Wine out of the
# output it is given: noise here, as the programs are 64-bit.
fenlow_wine_quiet() {
  grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'add-architecture' -e 'wine32:i386' || true
}

# The virtual screen's size is FENLOW_XVFB_SCREEN, 1280x1024x24 unless set.
fenlow_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 "${FENLOW_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
  FENLOW_XVFB_PID=$!
  export DISPLAY=":$number"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# Ends what this script started: the Wine server of our prefix and our Xvfb.
fenlow_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${FENLOW_XVFB_PID:-}" ]; then
    kill "$FENLOW_XVFB_PID" 2>/dev/null || true
    wait "$FENLOW_XVFB_PID" 2>/dev/null || true
    unset FENLOW_XVFB_PID
  fi
}

ensure_packages "${FENLOW_WINE_PACKAGES[@]}" || return 1
export WINEPREFIX="${WINEPREFIX:-$FENLOW_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
export LANG=C.UTF-8
fenlow_start_display || return 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "Creating the Wine prefix $WINEPREFIX ..."
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# Sets the system DPI of our prefix (96 is Windows' default); programs
# started afterwards see it.
fenlow_wine_set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f 2>&1 |
    fenlow_wine_quiet >/dev/null
  wineserver -w
}

# Runs a Windows GoogleTest binary under Wine with a time limit and returns
# its exit code.
fenlow_run_windows_tests() {
  local program=$1 limit=$2
  shift 2
  local status
  set +e
  timeout "$limit" wine "$program" --gtest_brief=1 "$@" 2>&1 | fenlow_wine_quiet
  status=${PIPESTATUS[0]}
  set -e
  return "$status"
}
