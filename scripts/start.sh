#!/usr/bin/env bash
# Builds the Windows program and starts it: under Wine on the current X
# display, or on a virtual one (Xvfb) when there is none, in which case a
# screenshot is taken once the window is up and its path printed.
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow

had_display=${DISPLAY:-}
# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT

wine "$FENLOW_WINDOWS_BUILD/fenlow.exe" 2> >(fenlow_wine_quiet >&2) &
program=$!

if [ -z "$had_display" ]; then
  screenshot="$PWD/build/fenlow-screenshot.png"
  for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Fenlow"' && break
    sleep 0.2
  done
  sleep 1  # let the first paint finish
  import -window root "$screenshot"
  echo "Fenlow is running on the virtual display $DISPLAY; screenshot: $screenshot"
  echo "Press Ctrl+C to stop it."
fi
wait "$program"
