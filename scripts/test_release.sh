#!/usr/bin/env bash
# Tests the release as a Windows user gets it: builds it with
# scripts/package.sh, looks into the portable zip, then, in a fresh Wine
# prefix of its own (build/wineprefix-install, made anew on every run):
# installs silently, checks the files, the shortcut and the installed-programs
# entry, starts the installed program from its Start-menu shortcut with a
# text on the clipboard and sees its window show that text and the setting
# it was given, closes it, installs again over a running Fenlow, uninstalls
# silently and checks that the program files, the shortcut, the entry and
# the sign-in entry of "Start with Windows" are gone while the user's
# settings stay.
source "$(dirname "$0")/build_env.sh"
root="$PWD"
ensure_packages "${FENLOW_WINDOWS_PACKAGES[@]}" "${FENLOW_RELEASE_PACKAGES[@]}"

passed=0
failed=0
ok() { passed=$((passed + 1)); echo "ok - $*"; }
not_ok() { failed=$((failed + 1)); echo "FAIL - $*"; }
# check DESCRIPTION COMMAND...: runs COMMAND, counts it as passed when it succeeds.
check() {
  local description="$1"
  shift
  if "$@"; then ok "$description"; else not_ok "$description"; fi
}
# A failure after which the later steps mean nothing.
give_up() {
  not_ok "$*"
  echo "$passed passed, $failed failed"
  exit 1
}

echo "== building the release"
bash scripts/package.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$FENLOW_RELEASE_BUILD/CMakeCache.txt")
zip_file="dist/fenlow-$version-win64.zip"
setup_file="dist/fenlow-$version-setup.exe"
[ -f "$zip_file" ] && [ -f "$setup_file" ] || give_up "package.sh made $zip_file and $setup_file"

echo "== the checker program"
cmake -S tests/release -B build/release-probe --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release-probe -j"$FENLOW_JOBS" >/dev/null
probe="$root/build/release-probe/release_probe.exe"

echo "== the portable zip"
scratch="build/release-test"
rm -rf "$scratch"
mkdir -p "$scratch/portable"
unzip -q "$zip_file" -d "$scratch/portable"
check "the zip holds exactly fenlow.exe, fenlow-cli.exe, HAND-M.CUR, README.txt, LICENSE" \
  test "$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')" = \
  "HAND-M.CUR LICENSE README.txt fenlow-cli.exe fenlow.exe "
# Every line of the texts ends in CR LF, as Windows' editors expect.
crlf_only() { [ -s "$1" ] && ! grep -q $'[^\r]$\|^$' "$1"; }
check "README.txt has CR LF line ends" crlf_only "$scratch/portable/README.txt"
check "LICENSE has CR LF line ends" crlf_only "$scratch/portable/LICENSE"
check "README.txt tells where the settings live" \
  grep -qF 'HKEY_CURRENT_USER\Software\Kestrane\Fenlow' "$scratch/portable/README.txt"
check "LICENSE is the MIT License of the Fenlow developers" \
  grep -q 'Copyright (c) 2026 the Fenlow developers' "$scratch/portable/LICENSE"
check "HAND-M.CUR is the program's hand pointer" cmp -s app/HAND-M.CUR "$scratch/portable/HAND-M.CUR"
# Statically linked: the programs import only DLLs that every Windows has.
only_system_dlls() {
  local unexpected
  unexpected=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' |
    grep -v -x -E '(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|OLEAUT32|MSVCRT|VERSION|SHLWAPI|UXTHEME|IMM32|WINMM|WS2_32|BCRYPT|NTDLL)\.DLL' || true)
  [ -z "$unexpected" ] || { echo "  $1 imports: $unexpected"; return 1; }
}
check "fenlow.exe needs no runtime DLLs" only_system_dlls "$scratch/portable/fenlow.exe"
check "fenlow-cli.exe needs no runtime DLLs" only_system_dlls "$scratch/portable/fenlow-cli.exe"
check "the setup asks for no administrator rights (asInvoker)" \
  grep -aq 'level="asInvoker"' "$setup_file"

echo "== under Wine, in a fresh prefix"
export WINEPREFIX="$root/build/wineprefix-install"
rm -rf "$WINEPREFIX"
# shellcheck source=wine_env.sh
source scripts/wine_env.sh
# No menu entries of the host's desktop for the shortcut made in the prefix.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
xclip_pid=""
start_pid=""
cleanup() {
  [ -n "$start_pid" ] && kill "$start_pid" 2>/dev/null
  [ -n "$xclip_pid" ] && kill "$xclip_pid" 2>/dev/null
  fenlow_wine_stop
}
trap cleanup EXIT
win() { timeout "${WIN_TIMEOUT:-60}" wine "$@" 2> >(fenlow_wine_quiet >&2); }
windows_var() { win cmd /c echo "%$1%" | tr -d '\r'; }
reg_value() {  # KEY NAME: the value's data, empty when absent
  win reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
key_absent() { ! timeout 60 wine reg query "$1" >/dev/null 2>&1; }
no_main_window() { ! timeout 30 wine "$probe" wait-window 0 >/dev/null 2>&1; }
# Waits up to 30 s for the process PID to end.
process_ends() {
  for _ in $(seq 150); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

cli_result=$(cd "$scratch/portable" && printf 'a b  c' | win fenlow-cli.exe apply "Remove all spaces in clipboard") || true
check "the zip's fenlow-cli.exe edits under Wine ('a b  c' -> '$cli_result')" test "$cli_result" = "abc"
portable_version=$(win "$probe" file-version "$(winepath -w "$scratch/portable/fenlow.exe")" | tr -d '\r') || true
check "fenlow.exe's version information is $version ($portable_version)" \
  test "$portable_version" = "$version.0 $version"

echo "-- silent install"
WIN_TIMEOUT=180 win "$setup_file" /S || give_up "the setup ran silently with exit code 0"
ok "the setup ran silently with exit code 0"
install_dir_win="$(windows_var LOCALAPPDATA)\\Programs\\Fenlow"
install_dir=$(winepath -u "$install_dir_win")
shortcut_win="$(windows_var APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Fenlow.lnk"
shortcut=$(winepath -u "$shortcut_win")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fenlow'
for file in fenlow.exe fenlow-cli.exe HAND-M.CUR README.txt LICENSE; do
  check "installed $file is the zip's" cmp -s "$scratch/portable/$file" "$install_dir/$file"
done
check "the uninstaller is installed" test -s "$install_dir/uninstall.exe"
check "the Start-menu shortcut exists" test -s "$shortcut"
check "nothing went to Program Files" test ! -e "$WINEPREFIX/drive_c/Program Files/Fenlow"
check "no machine-wide programs entry" \
  key_absent 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fenlow'
check "programs entry: DisplayName Fenlow" test "$(reg_value "$uninstall_key" DisplayName)" = "Fenlow"
check "programs entry: DisplayVersion $version" \
  test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
check "programs entry: Publisher Kestrane" test "$(reg_value "$uninstall_key" Publisher)" = "Kestrane"
check "programs entry: InstallLocation is the install folder" \
  test "$(reg_value "$uninstall_key" InstallLocation)" = "$install_dir_win"
check "programs entry: UninstallString runs the installed uninstaller" \
  test "$(reg_value "$uninstall_key" UninstallString)" = "\"$install_dir_win\\uninstall.exe\""
installed_version=$(win "$probe" file-version "$install_dir_win\\fenlow.exe" | tr -d '\r') || true
check "the installed fenlow.exe is version $version ($installed_version)" \
  test "$installed_version" = "$version.0 $version"

echo "-- the installed program, started from its shortcut"
# A remembered choice, where the read-me says settings live: the program
# must show it in its option list.
win reg add 'HKCU\Software\Kestrane\Fenlow' /v Combo1 /d "Remove all tabs in clipboard" /f >/dev/null
clip_text="Fenlow release check $$ $(date +%s)"
printf '%s' "$clip_text" >"$scratch/clipboard.txt"
xclip -selection clipboard -i -quiet "$scratch/clipboard.txt" >/dev/null 2>&1 &
xclip_pid=$!
timeout 120 wine start /wait "$shortcut_win" > >(fenlow_wine_quiet >&2) 2>&1 &
start_pid=$!
if win "$probe" wait-window 60; then
  ok "Fenlow's window appears"
  check "its text box shows the clipboard's text" win "$probe" expect-text1 "$clip_text" 20
  check "its option list shows the remembered choice" \
    win "$probe" expect-combo1 "Remove all tabs in clipboard" 10
  check "it closes" win "$probe" close 20
else
  not_ok "Fenlow's window appears"
fi
check "the program has ended" process_ends "$start_pid"
start_pid=""

echo "-- installing again over a running Fenlow"
(cd "$install_dir" && exec timeout 120 wine ./fenlow.exe) > >(fenlow_wine_quiet >&2) 2>&1 &
start_pid=$!
if win "$probe" wait-window 60; then
  WIN_TIMEOUT=180 check "the setup closes the running program and succeeds" win "$setup_file" /S
  check "the program's window is gone" no_main_window
  check "the program is still installed" test -s "$install_dir/fenlow.exe"
else
  not_ok "Fenlow's window appears for the reinstall"
fi
check "the running program ended for the reinstall" process_ends "$start_pid"
start_pid=""

echo "-- silent uninstall"
# As Options' "Start with Windows" leaves it: the program started at sign-in.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
win reg add "$run_key" /v Fenlow /d "\"$install_dir_win\\fenlow.exe\" /autostart" /f >/dev/null
check "the sign-in entry is there to remove" test -n "$(reg_value "$run_key" Fenlow)"
# The uninstaller runs from a copy of itself in the temporary folder, so it
# returns at once: its work is waited for.
check "the uninstaller ran silently with exit code 0" win "$install_dir_win\\uninstall.exe" /S
for _ in $(seq 300); do
  [ -e "$install_dir" ] || break
  sleep 0.2
done
check "the program folder is gone" test ! -e "$install_dir"
check "the Start-menu shortcut is gone" test ! -e "$shortcut"
check "the programs entry is gone" key_absent "$uninstall_key"
check "the sign-in entry is gone" test -z "$(reg_value "$run_key" Fenlow)"
check "the user's settings stay" \
  test "$(reg_value 'HKCU\Software\Kestrane\Fenlow' Combo1)" = "Remove all tabs in clipboard"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
