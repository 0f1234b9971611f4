#!/usr/bin/env bash
# Takes the README's screenshots from the real program: builds fenlow.exe and
# the release probe (which finds Fenlow's windows and opens the icon's menu
# from outside), puts a sample text on the clipboard with xclip, starts Fenlow
# inside a Wine virtual desktop (which draws the window frames and a taskbar
# with the notification area, as no window manager runs here), and saves
#   docs/screenshot.png  the main window
#   docs/tray-menu.png   the notification icon's menu, opened as a right click does
#   docs/recipes.png     the Recipes dialog with its preview, chosen in that menu
#   docs/options.png     the Options dialog, chosen in that menu
source "$(dirname "$0")/build_env.sh"
ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_WINDOWS_PACKAGES[@]}"
root="$PWD"

fenlow_build windows "$FENLOW_WINDOWS_BUILD" fenlow
cmake -S tests/release -B build/release-probe --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release-probe -j"$FENLOW_JOBS" >/dev/null
probe="$root/build/release-probe/release_probe.exe"

# A prefix of its own whose every program runs in one virtual desktop, so
# that the probe sees Fenlow's windows.
export WINEPREFIX="$root/build/wineprefix-screenshot"
# shellcheck source=wine_env.sh
source scripts/wine_env.sh
trap fenlow_wine_stop EXIT
desktop_width=800
desktop_height=600
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
  /d "${desktop_width}x${desktop_height}" /f >/dev/null 2>&1
wineserver -k && wineserver -w  # the desktop is made anew, as set
probe() { wine "$probe" "$@" 2> >(fenlow_wine_quiet >&2) | tr -d '\r'; }

# The program as a first start shows it: no remembered choice.
wine reg delete 'HKCU\Software\Kestrane\Fenlow' /f >/dev/null 2>&1 || true
rm -f "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Kestrane/Fenlow/recipes.toml"
printf 'Dear team,\n\nthe  quarterly   figures are attached.\n\tSee you on Monday!\n' |
  xclip -selection clipboard -i
(cd "$FENLOW_WINDOWS_BUILD" && exec wine fenlow.exe) >/dev/null 2>&1 &

# Saves the screen's GEOMETRY (WxH+X+Y) as FILE once two pictures of it in a
# row are the same: the window has painted itself.
save_settled() {
  local geometry=$1 file=$2 previous="" current
  for _ in $(seq 50); do
    current=$(import -window root -crop "$geometry" +repage png:- | md5sum)
    if [ "$current" = "$previous" ]; then
      import -window root -crop "$geometry" +repage "$file"
      echo "saved $file ($geometry)"
      return 0
    fi
    previous=$current
    sleep 0.2
  done
  echo "$file: the picture did not settle" >&2
  return 1
}

probe wait-window 60 >/dev/null || { echo "Fenlow's window did not appear" >&2; exit 1; }
save_settled "$(probe window-rect Fenlow 10)" docs/screenshot.png

# The menu with the taskbar's corner where the icon sits, opened where the
# pointer rests on the icon.
xdotool mousemove $((desktop_width - 10)) $((desktop_height - 10))
menu=$(probe icon-menu 10)
IFS='x+' read -r _ _ menu_x menu_y <<<"$menu"
left=$((menu_x - 8))
top=$((menu_y - 8))
save_settled "$((desktop_width - left))x$((desktop_height - top))+$left+$top" docs/tray-menu.png

# The first start wrote the first recipe file: the dialog opens on its first
# recipe, with the sample text and what the recipe makes of it.
probe menu-key E >/dev/null
save_settled "$(probe window-rect 'Fenlow Recipes' 10)" docs/recipes.png
xdotool key Escape  # the dialog has the keyboard; Escape leaves it unchanged
for _ in $(seq 50); do
  probe window-rect 'Fenlow Recipes' 0 >/dev/null 2>&1 || break
  sleep 0.2
done

probe icon-menu 10 >/dev/null
probe menu-key O >/dev/null
save_settled "$(probe window-rect 'Fenlow Options' 10)" docs/options.png
