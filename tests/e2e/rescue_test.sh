#!/usr/bin/env bash
# A capture whose output folder cannot be written, on a real desktop: Snapwell.exe under Wine on
# a 1024x768 virtual screen showing the known desktop picture, its output folder made unwritable
# (chattr +i when the suite runs as root, else a read-only folder). The message is read back
# from the box's own window and photographed in English and Japanese; Yes opens
# the real Save dialog, where another folder is chosen, and the file there is the desktop pixel
# for pixel; No leaves no file anywhere. Every wait is bounded.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${SNAPWELL_E2E_SESSION:-}" ]; then
  export SNAPWELL_E2E_SESSION=1 WINEPREFIX=$root/build/wineprefix-e2e SNAPWELL_SCREEN=1024x768x24
  exec "$root/scripts/wine-session" "$0" "$@"
fi
. "$here/lib.sh"
. "$root/scripts/testbed.sh"
"$WINESERVER" -p
exe=$root/build/win64/Snapwell.exe
work=$root/build/e2e/rescue
locked=$work/locked
chosen=$work/chosen

# The output folder is made unwritable for everyone, root included: as root the immutable flag
# (chattr +i), or where the file system has none a read-only mount over it; otherwise the
# folder's write permission is taken away.
lock_kind=""
lock_folder() {
  if [ "$(id -u)" -eq 0 ]; then
    if chattr +i "$locked" 2>/dev/null; then
      lock_kind=chattr
    elif mount -t tmpfs -o ro,size=1m snapwell-locked "$locked" 2>/dev/null; then
      lock_kind=mount
    fi
  elif chmod a-w "$locked"; then
    lock_kind="chmod"
  fi
  if [ -z "$lock_kind" ] || touch "$locked/.probe" 2>/dev/null; then
    echo "cannot make $locked unwritable (kind: ${lock_kind:-none})"
    return 1
  fi
}
unlock_folder() {
  case "$lock_kind" in
    chattr) chattr -i "$locked" ;;
    mount) umount "$locked" ;;
    chmod) chmod u+w "$locked" ;;
  esac
  lock_kind=""
}

# Message boxes use the system's face, on a Japanese system "MS UI Gothic": for the Japanese case
# the test bed has Noto Sans CJK JP in its place, taken out again at the end (the prefix is
# shared with the other end-to-end tests).
font_key='HKCU\Software\Wine\Fonts\Replacements'
japanese_face() { timeout 60 "$WINE" reg add "$font_key" /v 'MS UI Gothic' /t REG_SZ /d 'Noto Sans CJK JP' /f; }
no_japanese_face() { timeout 60 "$WINE" reg delete "$font_key" /v 'MS UI Gothic' /f; }

snapwell_pattern=$(tb_winpath "$exe" | sed 's/[\\.]/\\&/g')
snapwell_gone() { ! pgrep -f "$snapwell_pattern" >/dev/null; }
stop_snapwell() {
  timeout 30 "$WINE" taskkill /f /im Snapwell.exe >/dev/null 2>&1
  tb_poll 10 snapwell_gone || { echo "Snapwell did not end"; return 1; }
}
trap 'stop_snapwell >/dev/null 2>&1; unlock_folder >/dev/null 2>&1; no_japanese_face >/dev/null 2>&1' EXIT

[ -d "$work" ] && { chattr -i "$locked" 2>/dev/null; umount "$locked" 2>/dev/null; chmod -R u+w "$work"; }
rm -rf "$work" && mkdir -p "$locked" "$chosen"
desktop=$work/desktop.png
"$root/scripts/desktop" picture "$desktop" 1024x768
"$root/scripts/desktop" show "$desktop"
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/clipboard_text.exe" "$here/tools/clipboard_text.c" -luser32
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/window_text.exe" "$here/tools/window_text.c" -luser32
clipboard_text() { "$WINE" "$work/clipboard_text.exe" "$@" | tr -d '\r'; }
window_text() { "$WINE" "$work/window_text.exe" | tr -d '\r'; }
ref=$work/ref-rect.png
crop_reference "$desktop" 20 100 301 201 "$ref"

# start_capture LANG: Snapwell up in that language with the locked folder as the output, the
# hotkey pressed and the rectangle (20,100)-(320,300) marked: left of where the settings dialog
# stands in the middle of the screen, so that it cannot show in the picture should it still be
# leaving the screen when the desktop is read.
start_capture() {
  "$WINESERVER" -k >/dev/null 2>&1
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 FixField=0 \
    ReverseValue=0 EnlargeValue=1 RollValue=6 DefRoll=0 DefaultExt=3 WhereStay=0 AppearWindow=0 \
    HotKeyEnabled=1 HotKeyModifiers=2 HotKeyKeyCode=109 "FileName=$(tb_winpath "$locked/shot")" >/dev/null 2>&1
  (export LANG=$1 LC_ALL=$1 && tb_start "$(tb_winpath "$exe")" "$root/build/win64" >>"$work/snapwell.log" 2>&1)
  tb_pid=$(pgrep -f "$snapwell_pattern" | head -1)
  tb_wait_up 30 || { echo "Snapwell showed no window"; return 1; }
  xdotool windowactivate --sync "$(tb_windows | head -1)" >/dev/null 2>&1
  tb_hotkey
  tb_poll 10 surface_active || { echo "no active capture surface after the hotkey"; return 1; }
  xdotool mousemove 20 100 mousedown 1 sleep 0.05 mousemove 170 200 sleep 0.05 mousemove 320 300 sleep 0.1 mouseup 1
}

window_id=""
window_up() { # TITLE
  window_id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
  [ -n "$window_id" ]
}
# message TITLE SHOT: the message box with that title is up and has the keyboard; it is
# photographed (build/screenshots/SHOT.png, the box cut out of the screen) and its text is
# written to $work/SHOT.txt.
message() {
  tb_poll 20 window_up "$1" || { echo "no \"$1\" box: $("$root/scripts/desktop" shot "$2-missing")"; return 1; }
  sleep 0.7
  local X Y WIDTH HEIGHT shot
  shot=$("$root/scripts/desktop" shot "$2-screen")
  eval "$(xdotool getwindowgeometry --shell "$window_id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  # The frame the window manager adds lies outside what xdotool reports: a margin takes it in.
  "$IM_CONVERT" "$shot" -crop "$((WIDTH + 40))x$((HEIGHT + 60))+$((X > 20 ? X - 20 : 0))+$((Y > 40 ? Y - 40 : 0))" \
    +repage "PNG24:$root/build/screenshots/$2.png"
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$window_id" ] || { echo "the box has not the keyboard"; return 1; }
  window_text >"$work/$2.txt"
}
# has_line FILE LINE: the text read holds that line exactly. (The path's line ends in a no-break
# space, which keeps a box from cutting the path's last letter.)
nbsp=$'\xc2\xa0'
has_line() { grep -qxF -- "$2" "$1" || { echo "no line \"$2\" in:"; cat "$1"; return 1; }; }
nothing_in() { # FOLDER
  [ -z "$(ls -A "$1")" ] || { echo "$1 holds: $(ls -A "$1")"; return 1; }
}

check "the output folder is unwritable" lock_folder

# English: the message names the file and the reason; Return (Yes, the default) opens the Save
# dialog with the same name, where another folder is typed; the picture is written there.
english_case() {
  start_capture en_US.UTF-8 || return 1
  message Error rescue-message-en || return 1
  xdotool key Return
  tb_poll 10 window_up "Output Filename" || { echo "no Save dialog: $("$root/scripts/desktop" shot rescue-no-dialog)"; return 1; }
  sleep 0.7
  "$root/scripts/desktop" shot rescue-save-dialog-en >/dev/null
  # The name box holds the proposed name, selected.
  clipboard_text put "nothing copied" >/dev/null
  xdotool key ctrl+c
  sleep 0.3
  clipboard_text get >"$work/dialog-name.txt"
  xdotool key ctrl+a type "$(tb_winpath "$chosen/shot.png")"
  xdotool key Return
  tb_poll 30 tb_file_complete "$chosen/shot.png" || { echo "no $chosen/shot.png: $("$root/scripts/desktop" shot rescue-no-file)"; return 1; }
  tb_poll 10 tb_surface_gone 1024 768 || { echo "the surface stayed"; return 1; }
}
check "English: the message, Yes, another folder in the Save dialog" english_case
stop_snapwell
check "... first line: text 134" has_line "$work/rescue-message-en.txt" "Failed to output to the file."
check "... then the full path" has_line "$work/rescue-message-en.txt" "$(tb_winpath "$locked/shot.png")$nbsp"
check "... then the reason" has_line "$work/rescue-message-en.txt" \
  "Access is denied (the folder or the file is write-protected or in use)."
check "... then the question" has_line "$work/rescue-message-en.txt" "Do you want to save the picture somewhere else?"
check "Save dialog: the same name proposed" has_line "$work/dialog-name.txt" "shot.png"
check "the picture in the chosen folder, pixel for pixel" compare_pixels "$chosen/shot.png" "$ref"
check "nothing in the unwritable folder" nothing_in "$locked"

# Japanese: the same message in Japanese; No (N) gives the picture up without a Save dialog.
japanese_case() {
  japanese_face >/dev/null 2>&1
  start_capture ja_JP.UTF-8 || return 1
  message 'エラー' rescue-message-ja || return 1
  xdotool key n
  tb_poll 10 tb_surface_gone 1024 768 || { echo "the surface stayed after No"; return 1; }
  sleep 1
  if window_up 'Output Filename' || window_up '出力ファイル名の設定'; then
    echo "a Save dialog came after No"
    return 1
  fi
}
check "Japanese: the message, No" japanese_case
stop_snapwell
check "... first line: text 134" has_line "$work/rescue-message-ja.txt" "ファイルの保存に失敗しました。"
check "... then the full path" has_line "$work/rescue-message-ja.txt" "$(tb_winpath "$locked/shot.png")$nbsp"
check "... then the reason" has_line "$work/rescue-message-ja.txt" \
  "アクセスが拒否されました（フォルダまたはファイルが書き込み禁止か、使用中です）。"
check "... then the question" has_line "$work/rescue-message-ja.txt" "画像を別の場所に保存しますか？"
check "No: nothing in the unwritable folder" nothing_in "$locked"
check "No: nothing new in the other folder" equals shot.png ls -A "$chosen"

unlock_folder
e2e_finish
