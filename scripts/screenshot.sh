#!/usr/bin/env bash
# Takes the README's screenshot from the real program: builds fenlow.exe,
# puts a sample text on the clipboard with xclip, starts Fenlow inside a
# Wine virtual desktop (which draws the window frame itself, as no window
# manager runs here), and saves the main window's picture as
# docs/screenshot.png.
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"

fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow

# shellcheck source=wine_env.sh
source scripts/wine_env.sh

printf 'Dear team,\n\nthe  quarterly   figures are attached.\n\tSee you on Monday!\n' |
  xclip -selection clipboard -i
(cd "$FENLOW_WINDOWS_BUILD" && exec wine explorer /desktop=FenlowScreenshot,640x480 fenlow.exe) \
  >/dev/null 2>&1 &
desktop=$!
# Ends what was started here, by process id: the program, then its desktop.
stop_started() {
  pkill -P "$desktop" 2>/dev/null || true
  kill "$desktop" 2>/dev/null || true
  wait "$desktop" 2>/dev/null || true
  fenlow_wine_stop
}
trap stop_started EXIT

geometry=""
for _ in $(seq 150); do
  geometry=$(xwininfo -root -tree 2>/dev/null |
    sed -n 's/.*"Fenlow": ("fenlow.exe" "fenlow.exe")  \([0-9]*x[0-9]*\)[-+0-9]*  \([-+0-9]*\)$/\1\2/p' |
    head -n1)
  [ -n "$geometry" ] && break
  sleep 0.2
done
[ -n "$geometry" ] || { echo "Fenlow's window did not appear" >&2; exit 1; }
sleep 2  # the first paint of the controls
import -window root -crop "$geometry" +repage docs/screenshot.png
echo "saved docs/screenshot.png ($geometry)"
