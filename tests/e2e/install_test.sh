#!/usr/bin/env bash
# The shipped installer on a private Wine desktop: silent install into Program Files, the
# installed copy started from there, a silent uninstall that keeps the user's settings, and
# one that is asked to remove them. Needs dist/Snapwell-<version>-setup.exe (make dist).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${SNAPWELL_E2E_SESSION:-}" ]; then
  # A Wine prefix of its own (cached; the test clears what an earlier run left) on a
  # 1024x768 virtual screen.
  export SNAPWELL_E2E_SESSION=1 WINEPREFIX=$root/build/wineprefix-e2e SNAPWELL_SCREEN=1024x768x24
  exec "$root/scripts/wine-session" "$0" "$@"
fi
. "$here/lib.sh"
tb_wine_up

version=$(sed -n 's/^VERSION := *//p' "$root/Makefile")
setup=$root/dist/Snapwell-$version-setup.exe
work=$root/build/e2e/install
progdir=$WINEPREFIX/drive_c/Program\ Files/Snapwell
startmenu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Snapwell
win_progdir='C:\Program Files\Snapwell'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Snapwell'
settings_key='HKCU\Software\Snapwell'
rm -rf "$work" && mkdir -p "$work"

snapwell_pid=""
stop_snapwell() {
  [ -n "$snapwell_pid" ] && kill "$snapwell_pid" 2>/dev/null
  tb_running && kill "$tb_pid" 2>/dev/null
  chattr -i "$progdir" 2>/dev/null
  return 0
}
trap stop_snapwell EXIT

wine_run() { timeout "${WINE_TIMEOUT:-60}" "$WINE" "$@"; }
# reg_value KEY NAME: the value's data, empty when missing.
reg_value() {
  wine_run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
has_key() { wine_run reg query "$1" >/dev/null 2>&1; }
no_key() { ! has_key "$1"; }
gone() { [ ! -e "$1" ]; }

# The file names the installer must put into the program folder, and the guide's folder.
expected_files() {
  { printf '%s\n' Snapwell.exe vell.dll SaveJPG.dll ScratchDirProbe.dll Guide uninstall.exe
    (cd "$root/templates" && ls); } | sort
}
installed_files() { (cd "$progdir" && ls) | sort; }
same_listing() { diff <(expected_files) <(installed_files); }
# The guide as make dist staged it: its pages, style sheet and pictures, in their folders.
guide_listing() { (cd "$1" && find . | sort); }
same_guide() {
  local staged=$root/build/dist/Snapwell-$version/Guide
  [ -f "$staged/en.html" ] || { echo "no staged guide in $staged"; return 1; }
  diff <(guide_listing "$staged") <(guide_listing "$progdir/Guide")
}
# link_opens LINK PAGE: the Start-menu link names the guide's page PAGE (the link's text is
# UTF-16; without its zero bytes the ASCII path can be searched for).
link_opens() {
  [ -f "$1" ] || { echo "no link $1"; ls "$startmenu"; return 1; }
  tr -d '\0' <"$1" | grep -aqF "Snapwell\\Guide\\$2" || { echo "$1 does not name Guide\\$2"; return 1; }
}

install_silently() { WINE_TIMEOUT=120 wine_run "$setup" /S; }
uninstall_silently() { # [OPTIONS...]: waits for the uninstaller's copy to remove the folder
  WINE_TIMEOUT=120 wine_run "$win_progdir\\uninstall.exe" /S "$@" && wait_for 60 gone "$progdir"
}

# Starts the installed Snapwell.exe the way its Start-menu link does (working folder: the
# program folder) and waits until it is up: a visible window of its own, or — while the
# program only prepares its settings and ends — a clean exit.
snapwell_comes_up() {
  (cd "$progdir" && exec timeout 120 "$WINE" "$win_progdir\\Snapwell.exe") &
  snapwell_pid=$!
  wait_for 30 snapwell_shown_or_ended || { echo "no window and still running after 30 s"; return 1; }
  if kill -0 "$snapwell_pid" 2>/dev/null; then return 0; fi
  wait "$snapwell_pid"
  local rc=$?
  snapwell_pid=""
  [ $rc -eq 0 ] || { echo "Snapwell.exe ended with exit $rc"; return 1; }
}
snapwell_shown_or_ended() {
  ! kill -0 "$snapwell_pid" 2>/dev/null || xdotool search --onlyvisible --class 'snapwell\.exe' >/dev/null
}
# Ends a running Snapwell. It stays in the tray when its dialog is closed (WM_CLOSE only hides
# the dialog), so the process is ended as the system would end it.
snapwell_quits() {
  [ -n "$snapwell_pid" ] || return 0
  wine_run taskkill /f /im Snapwell.exe >/dev/null 2>&1
  wait_for 15 gone "/proc/$snapwell_pid" || { echo "still running 15 s after taskkill /f"; return 1; }
  snapwell_pid=""
}

# ---- Captures from the installed copy ----------------------------------------------------
capture_ready=true
# Captures a rectangle from the installed copy to PNG and to JPEG, each checked against the
# known desktop, with the program folder made read-only (immutable where the file system
# allows it) so that no file, not even the JPEG writer's temporary one, can go there.
capture_checks() {
  if [ "$capture_ready" != true ]; then
    echo "# capture checks from the installed copy: waiting for the capture surface"
    return
  fi
  local locked=false
  # A file made and deleted again still changes the folder's modification time.
  installed_files >"$work/listing-before"
  stat -c %y "$progdir" >>"$work/listing-before"
  chattr +i "$progdir" 2>/dev/null && locked=true
  check "capture to PNG from Program Files" capture_to png 3
  check "capture to JPEG from Program Files" capture_to jpg 2
  $locked && chattr -i "$progdir"
  check "... the program folder is left untouched" folder_untouched
  check "... PNG: the desktop's pixels" compare_pixels "$work/out/shot.png" "$work/expected-png.png"
  check "... JPEG: decoded close to the desktop (PSNR >= 30 dB)" psnr_at_least "$work/out/shot.jpg" "$work/expected-jpg.png" 30
}
folder_untouched() {
  diff "$work/listing-before" <(installed_files; stat -c %y "$progdir")
}
# capture_to EXT DEFAULTEXT: the hotkey, a drag from (100,100) to (400,300), the file written
# to build/e2e/install/out/shot.EXT; the reference is the desktop cut at the file's own size,
# which must be that of the drag (300x200, give or take the end pixel).
capture_to() {
  local ext=$1 w h file=$work/out/shot.$1
  mkdir -p "$work/out" && rm -f "$file"
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 FixField=0 \
    ReverseValue=0 EnlargeValue=1 DefRoll=0 DefaultExt="$2" "FileName=$(tb_winpath "$work/out/shot")" \
    WhereStay=0 AppearWindow=0 HotKeyEnabled=1 HotKeyModifiers=2 HotKeyKeyCode=109
  tb_start "$win_progdir\\Snapwell.exe" "$progdir"
  tb_wait_up 30 || { echo "no window"; return 1; }
  xdotool windowactivate --sync "$(tb_windows | head -1)" >/dev/null 2>&1
  tb_hotkey
  tb_poll 10 surface_active || { tb_quit; echo "no active capture surface after the hotkey"; return 1; }
  xdotool mousemove 100 100 mousedown 1 mousemove 250 200 mousemove 400 300 mouseup 1
  tb_poll 30 tb_file_complete "$file" || { tb_quit; echo "$file not written"; return 1; }
  tb_quit
  read -r w h < <("$IM_IDENTIFY" -format '%w %h\n' "$file") || return 1
  case "$w $h" in "300 200" | "301 201") ;; *) echo "$file is ${w}x$h, expected 300x200"; return 1 ;; esac
  crop_reference "$work/desktop.png" 100 100 "$w" "$h" "$work/expected-$ext.png"
}

if [ ! -f "$setup" ]; then
  check "installer $setup is built (make dist)" false
  e2e_finish
  exit
fi

# What an earlier, interrupted run may have left (the registry files name the keys).
chattr -i "$progdir" 2>/dev/null
rm -rf "$progdir" "$startmenu"
if grep -qi 'Snapwell' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" 2>/dev/null; then
  wine_run reg delete "$settings_key" /f >/dev/null 2>&1
  wine_run reg delete "$uninstall_key" /f >/dev/null 2>&1
fi

"$root/scripts/desktop" picture "$work/desktop.png" 1024x768
"$root/scripts/desktop" show "$work/desktop.png"
"$root/scripts/desktop" shot e2e-desktop >/dev/null
check "the known desktop is on the screen" compare_pixels "$root/build/screenshots/e2e-desktop.png" "$work/desktop.png"

check "silent install ends with exit 0" install_silently
check "the program folder holds exactly the shipped files" same_listing
check "Start-menu link" test -f "$startmenu/Snapwell.lnk"
check "the guide's pages and pictures in Guide\\" same_guide
check "Start-menu link to the English guide on an English system" link_opens "$startmenu/Snapwell user guide.lnk" en.html
check "Add/Remove Programs: version" equals "$version" reg_value "$uninstall_key" DisplayVersion
check "Add/Remove Programs: uninstaller" equals "\"$win_progdir\\uninstall.exe\"" reg_value "$uninstall_key" UninstallString

check "the installed Snapwell.exe comes up from Program Files" snapwell_comes_up
check "it writes its settings: CurrentVersion 4.5" wait_for 10 equals 4.5 reg_value "$settings_key\\Default" CurrentVersion
check "it is ended" snapwell_quits
capture_checks

check "silent uninstall removes the program folder" uninstall_silently
check "... the Start-menu folder" gone "$startmenu"
check "... the Add/Remove Programs entry" no_key "$uninstall_key"
check "... and keeps the settings" equals 4.5 reg_value "$settings_key\\Default" CurrentVersion

install_silently >/dev/null 2>&1
check "uninstall /REMOVESETTINGS removes the program" uninstall_silently /REMOVESETTINGS
check "... and the settings" no_key "$settings_key"

# On a Japanese system the installer speaks Japanese and its guide link opens the Japanese page.
"$WINESERVER" -k >/dev/null 2>&1
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
tb_wine_up
check "Japanese system: silent install" install_silently
check "... Start-menu link to the Japanese guide" link_opens "$startmenu/Snapwell 説明書.lnk" ja.html
check "... uninstall removes the program folder and the Start-menu folder" eval \
  'uninstall_silently && wait_for 30 gone "$startmenu"'
e2e_finish
