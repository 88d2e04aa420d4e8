#!/usr/bin/env bash
# Captures on a real desktop: Snapwell.exe under Wine on a 1024x768 virtual screen showing the
# known desktop picture, started with the settings of each case, the hotkey pressed and the
# region marked with xdotool; the output is checked against the known picture. Also the
# clipboard (read back through the Win32 clipboard API) and the printer (a private CUPS PDF
# queue). Every wait is bounded.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${SNAPWELL_E2E_SESSION:-}" ]; then
  export SNAPWELL_E2E_SESSION=1 WINEPREFIX=$root/build/wineprefix-e2e SNAPWELL_SCREEN=1024x768x24
  exec "$root/scripts/print-session" "$root/scripts/wine-session" "$0" "$@"
fi
. "$here/lib.sh"
. "$root/scripts/testbed.sh"
"$WINESERVER" -p
exe=$root/build/win64/Snapwell.exe
work=$root/build/e2e/capture
rm -rf "$work" && mkdir -p "$work"
# Message boxes use the system's face, on a Japanese system "MS UI Gothic"; for the Japanese
# cases the test bed has Noto Sans CJK JP in its place. The prefix is shared with the other
# end-to-end tests (Wine's own programs print blank pages with it), so the stand-in is taken out
# again at the end.
font_key='HKCU\Software\Wine\Fonts\Replacements'
japanese_face() { timeout 60 "$WINE" reg add "$font_key" /v 'MS UI Gothic' /t REG_SZ /d 'Noto Sans CJK JP' /f; }
no_japanese_face() { timeout 60 "$WINE" reg delete "$font_key" /v 'MS UI Gothic' /f; }
trap 'stop_snapwell >/dev/null 2>&1; no_japanese_face >/dev/null 2>&1' EXIT
desktop=$work/desktop.png
"$root/scripts/desktop" picture "$desktop" 1024x768
"$root/scripts/desktop" show "$desktop"
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/clipboard_dump.exe" "$here/tools/clipboard_dump.c" -luser32 -lgdi32
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/clipboard_text.exe" "$here/tools/clipboard_text.c" -luser32
. "$here/capture_lib.sh"

# A rectangle from (100,100) to (400,300) must give that part of the desktop.
ref=$work/ref-rect.png
crop_reference "$desktop" 100 100 301 201 "$ref"
"$IM_CONVERT" "$ref" -flop "PNG24:$work/ref-rect-flop.png"

# run_case OUTFILE SETTINGS...: that rectangle captured to the file with the settings.
run_case() {
  local out=$1
  shift
  rm -f "$out"
  start_capture "FileName=$(tb_winpath "${out%.*}")" "$@" || return 1
  drag 100 100 250 200 400 300
  finish_capture "$out"
  local rc=$?
  [ -n "${keep_running:-}" ] || stop_snapwell
  return $rc
}

keep_running=1
check "rectangle to PNG and the clipboard" run_case "$work/rect.png" DefaultExt=3 Outputs=3
keep_running=
check "PNG: the pixels of the desktop" compare_pixels "$work/rect.png" "$ref"
clipboard_formats() { "$WINE" "$work/clipboard_dump.exe" 'Z:\tmp\sw-clip.bmp' 'Z:\tmp\sw-clip.png' | tr -d '\r'; }
check "clipboard: a DIB, a bitmap and a PNG" equals $'CF_BITMAP\nCF_DIB\nPNG' clipboard_formats
stop_snapwell
mv /tmp/sw-clip.bmp /tmp/sw-clip.png "$work/" 2>/dev/null
check "clipboard DIB: the pixels of the desktop" compare_pixels "$work/sw-clip.bmp" "$ref"
check "clipboard PNG: the pixels of the desktop" compare_pixels "$work/sw-clip.png" "$ref"

check "rectangle to BMP" run_case "$work/rect-bmp.bmp" DefaultExt=1
check "BMP: the pixels of the desktop" compare_pixels "$work/rect-bmp.bmp" "$ref"
check "horizontal flip to PNG" run_case "$work/flip.png" DefaultExt=3 ReverseValue=1
check "flip: the mirrored desktop" compare_pixels "$work/flip.png" "$work/ref-rect-flop.png"
check "rectangle to JPEG" run_case "$work/rect-jpeg.jpg" DefaultExt=2
check "JPEG: the size of the region" equals 301x201 "$IM_IDENTIFY" -format '%wx%h' "$work/rect-jpeg.jpg"
check "JPEG: decoded close to the desktop (PSNR >= 30 dB)" psnr_at_least "$work/rect-jpeg.jpg" "$ref" 30

# The size warning: a 600x400 region at 200 % (1200 x 800) is more than the 1024x768 screen
# holds. The question stands in front of the frozen screen and has the keyboard: a screenshot
# shows the box where it stands, not the desktop; Return answers Yes and the picture is written.
warning_id=""
warning_up() { # TITLE
  warning_id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
  [ -n "$warning_id" ]
}
# shows_box SHOT: in the middle half of where the box stands (the window manager's frame may
# shift what xdotool reports by its title bar), at most a tenth of the screenshot's pixels are
# the desktop's.
shows_box() {
  local X Y WIDTH HEIGHT w h x y same
  eval "$(xdotool getwindowgeometry --shell "$warning_id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  w=$((WIDTH / 2)) h=$((HEIGHT / 2)) x=$((X + WIDTH / 4)) y=$((Y + HEIGHT / 4))
  "$IM_CONVERT" "$1" -crop "${w}x$h+$x+$y" +repage "PNG24:$work/box-shot.png"
  crop_reference "$desktop" "$x" "$y" "$w" "$h" "$work/box-desktop.png"
  same=$("$IM_COMPARE" -metric AE -fuzz 2% "$work/box-shot.png" "$work/box-desktop.png" null: 2>&1)
  same=$((w * h - ${same%% *}))
  [ "$same" -le $((w * h / 10)) ] ||
    { echo "$same of the ${w}x$h pixels in the middle of the box show the desktop: $1"; return 1; }
}
size_warning() { # TAG TITLE: a capture is up in the language of TITLE
  local shot
  rm -f "$work/warn-$1.png"
  drag 100 100 400 300 699 499
  tb_poll 10 warning_up "$2" || { echo "no size warning: $("$root/scripts/desktop" shot "e2e-no-warning-$1")"; return 1; }
  sleep 0.5
  shot=$("$root/scripts/desktop" shot "e2e-size-warning-$1")
  shows_box "$shot" || return 1
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$warning_id" ] || { echo "the box has not the keyboard"; return 1; }
  xdotool key Return
  finish_capture "$work/warn-$1.png"
}
warning_case() {
  start_capture "FileName=$(tb_winpath "$work/warn-en")" EnlargeValue=2 || return 1
  size_warning en 'Warning!'
  local rc=$?
  stop_snapwell
  return $rc
}
check "size warning in front of the frozen screen, answered with Return" warning_case
check "size warning: the enlarged picture" equals 1200x800 "$IM_IDENTIFY" -format '%wx%h' "$work/warn-en.png"

# Keyboard only: the pointer placed by the mouse, then Space held while the arrows draw the
# frame from (200,150) to (220,160); Esc on a second capture leaves without output.
keyboard_case() {
  rm -f "$work/keys.png"
  start_capture "FileName=$(tb_winpath "$work/keys")" || return 1
  xdotool mousemove 199 150 sleep 0.1 mousemove 200 150 sleep 0.2
  xdotool keydown space sleep 0.1
  for _ in $(seq 1 20); do xdotool key Right; done
  for _ in $(seq 1 10); do xdotool key Down; done
  xdotool keyup space
  finish_capture "$work/keys.png"
  local rc=$?
  stop_snapwell
  return $rc
}
escape_case() {
  start_capture "FileName=$(tb_winpath "$work/esc")" || return 1
  xdotool mousemove 299 300 sleep 0.1 mousemove 300 300 sleep 0.3 key Escape
  tb_poll 10 tb_surface_gone 1024 768 || { echo "the surface stayed after Esc"; stop_snapwell; return 1; }
  sleep 0.5
  stop_snapwell
  [ -z "$(ls "$work" | grep '^esc')" ] || { echo "Esc left a file: $(ls "$work" | grep '^esc')"; return 1; }
}
crop_reference "$desktop" 200 150 21 11 "$work/ref-keys.png"
check "keyboard only: Space and the arrows" keyboard_case
check "keyboard: the pixels of the desktop" compare_pixels "$work/keys.png" "$work/ref-keys.png"
check "Esc ends the capture without output" escape_case

# The printer: one page with the picture at its top-left corner at its own size (96 dpi).
# A job's PDF is told by its time, not its name: every print session numbers its jobs from 1,
# so a PDF left by another run may bear the same name.
pdf_mark=$work/pdf-mark
mark_pdfs() { touch "$pdf_mark"; }
new_pdf() { find "$SNAPWELL_PDF_DIR" -maxdepth 1 -name '*.pdf' -newer "$pdf_mark" 2>/dev/null | head -1; }
printed() { [ -n "$(new_pdf)" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; }
take_pdf() { # OUT: the new PDF, once the queue is empty, moved to OUT
  wait_for 30 printed || { echo "no PDF after 30 s"; return 1; }
  mv "$(new_pdf)" "$1"
}
# File and printer without the clipboard target, while another program's text is on the
# clipboard: the page shows the capture and the text stays where it was.
their_text="copied by another program"
clipboard_text() { "$WINE" "$work/clipboard_text.exe" "$@" | tr -d '\r'; }
print_case() {
  clipboard_text put "$their_text" || { echo "could not put text on the clipboard"; return 1; }
  mark_pdfs && run_case "$work/print.png" Outputs=6 && take_pdf "$work/print.pdf"
}
# picture_box PICTURE: "width height left top" of what is not white on it.
picture_box() { "$IM_CONVERT" "$1" -fuzz 2% -trim -format '%w %h %X %Y' info: | tr -d '+'; }
near_top_left() { # PICTURE W H: the ink is W x H (2 pixels either way) within 40 pixels of the corner
  local w h x y
  read -r w h x y <<<"$(picture_box "$1")"
  [ "${w:-0}" -ge $(($2 - 2)) ] && [ "$w" -le $(($2 + 2)) ] && [ "$h" -ge $(($3 - 2)) ] && [ "$h" -le $(($3 + 2)) ] &&
    [ "$x" -le 40 ] && [ "$y" -le 40 ] || { echo "the page shows ${w}x${h} at $x,$y"; return 1; }
}
check "printer: the capture is printed" print_case
page_shows() { # PDF PAGE W H: the page (at 96 dpi) shows a W x H picture at its top left
  pdf_page_png "$1" "$2" "${1%.pdf}-page$2.png" 96 && near_top_left "${1%.pdf}-page$2.png" "$3" "$4"
}
check "printer: one page" equals 1 pdf_pages "$work/print.pdf"
check "printer: the picture at the top left at its own size" page_shows "$work/print.pdf" 1 301 201
page_picture() { # PDF PAGE REFERENCE: the picture on the page (at 96 dpi) is the reference (PSNR >= 25 dB)
  local page=${1%.pdf}-page$2.png size
  size=$("$IM_IDENTIFY" -format '%wx%h' "$3") && pdf_page_png "$1" "$2" "$page" 96 &&
    "$IM_CONVERT" "$page" -fuzz 2% -trim +repage -resize "$size!" "${page%.png}-picture.png" &&
    psnr_at_least "${page%.png}-picture.png" "$3" 25
}
check "printer: the page shows the captured region" page_picture "$work/print.pdf" 1 "$ref"
check "printer: the clipboard still holds the other program's text" equals "$their_text" clipboard_text get

# The output target dialog (OutDialog 1) with clipboard, file and printer: its printer button
# opens the print dialog, where 2 copies are set; its Output button writes the file and prints
# one page per copy. The dialog puts the pointer on its Output button; the printer button lies
# (76,-131) from there.
dialog_named() { xdotool search --onlyvisible --name "^$1\$"; }
active_is() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
back_in_dialog() { # NAME: the sub-dialog NAME has gone and the output target dialog has the focus again
  tb_poll 10 eval "! dialog_named '$1'" && tb_poll 10 active_is "Output Target Setting" ||
    { echo "still in $1: $("$root/scripts/desktop" shot "e2e-$1")"; stop_snapwell; return 1; }
}
to_out_dialog() { # NAME [SETTINGS...]: the rectangle marked with the dialog on, output to NAME.png
  local name=$1
  shift
  rm -f "$work/$name.png"
  mark_pdfs
  start_capture "FileName=$(tb_winpath "$work/$name")" OutDialog=1 Outputs=7 "$@" || return 1
  drag 100 100 250 200 400 300
  tb_poll 10 dialog_named "Output Target Setting" || {
    echo "no output target dialog; the screen: $("$root/scripts/desktop" shot "e2e-$name")"
    stop_snapwell
    return 1
  }
  sleep 0.5
}
# set_copies N: in the print dialog that comes up, N copies and OK.
set_copies() {
  tb_poll 10 dialog_named Print || { echo "no print dialog: $("$root/scripts/desktop" shot e2e-print-dialog)"; return 1; }
  xdotool key alt+c type "$1"
  xdotool key Return
}
out_dialog_case() {
  local X Y
  to_out_dialog dialog || return 1
  eval "$(xdotool getmouselocation --shell | grep '^[XY]=')"
  xdotool mousemove $((X + 76)) $((Y - 131)) click 1
  set_copies 2 && back_in_dialog Print || { stop_snapwell; return 1; }
  xdotool key alt+o
  finish_capture "$work/dialog.png" && take_pdf "$work/dialog.pdf"
  local rc=$?
  stop_snapwell
  return $rc
}
check "output target dialog: Output after 2 copies set" out_dialog_case
check "output target dialog: the pixels of the desktop" compare_pixels "$work/dialog.png" "$ref"
check "output target dialog: two pages" equals 2 pdf_pages "$work/dialog.pdf"
check "... page 1: the picture at the top left" page_shows "$work/dialog.pdf" 1 301 201
check "... page 2: the picture at the top left" page_shows "$work/dialog.pdf" 2 301 201
# Browse: the Save dialog (the dialog's Browse button lies (116,-34) from its Output button)
# answered with a BMP name; the typed extension decides the format.
browse_case() {
  local X Y
  rm -f "$work/browsed.bmp"
  to_out_dialog browse Outputs=2 || return 1
  eval "$(xdotool getmouselocation --shell | grep '^[XY]=')"
  xdotool mousemove $((X + 116)) $((Y - 34)) click 1
  tb_poll 10 dialog_named "Output Filename" || { echo "no Save dialog"; stop_snapwell; return 1; }
  sleep 0.5
  xdotool type "$(tb_winpath "$work/browsed.bmp")"
  xdotool key Return
  back_in_dialog "Output Filename" || return 1
  xdotool key alt+o
  finish_capture "$work/browsed.bmp"
  local rc=$?
  stop_snapwell
  return $rc
}
check "output target dialog: Browse to a BMP name, then Output" browse_case
check "... BMP: the pixels of the desktop" compare_pixels "$work/browsed.bmp" "$ref"

# Stop leaves without output: no file, nothing printed.
stop_dialog_case() {
  to_out_dialog stopped || return 1
  xdotool key alt+s
  tb_poll 10 tb_surface_gone 1024 768 || { echo "the surface stayed after Stop"; stop_snapwell; return 1; }
  sleep 2
  stop_snapwell
  [ ! -e "$work/stopped.png" ] && [ -z "$(new_pdf)" ] || { echo "Stop output: $(ls "$work"/stopped* 2>/dev/null) $(new_pdf)"; return 1; }
}
check "output target dialog: Stop outputs nothing" stop_dialog_case

# The settings dialog's File menu, Printer Setup: 3 copies; the hotkey, off while the print
# dialog is up, captures again afterwards and the printer gives 3 pages.
menu_copies_case() {
  rm -f "$work/menu.png"
  mark_pdfs
  start_snapwell "FileName=$(tb_winpath "$work/menu")" Outputs=6 || return 1
  xdotool windowactivate --sync "$(tb_windows | head -1)" key alt+f sleep 0.3 key p
  set_copies 3 && tb_poll 10 eval '! dialog_named Print' && press_hotkey || { stop_snapwell; return 1; }
  drag 100 100 250 200 400 300
  finish_capture "$work/menu.png" && take_pdf "$work/menu.pdf"
  local rc=$?
  stop_snapwell
  return $rc
}
check "settings menu: Printer Setup with 3 copies, then the hotkey" menu_copies_case
check "... three pages" equals 3 pdf_pages "$work/menu.pdf"
check "... page 3: the picture at the top left" page_shows "$work/menu.pdf" 3 301 201

# A circle round (300,300) through (350,300): a 99-pixel disc, white outside it.
circle_case() {
  rm -f "$work/circle.png"
  start_capture "FileName=$(tb_winpath "$work/circle")" FlameStyle=1 || return 1
  drag 300 300 325 300 350 300
  finish_capture "$work/circle.png"
  local rc=$?
  stop_snapwell
  return $rc
}
check "circle to PNG" circle_case
check "circle: the size of the disc" equals 99x99 "$IM_IDENTIFY" -format '%wx%h' "$work/circle.png"
check "circle: white corners" equals "srgb(255,255,255)" pixel_at "$work/circle.png" 2 2
# The disc spans (251,251)-(349,349) of the desktop.
crop_reference "$desktop" 281 281 40 40 "$work/ref-circle-inner.png"
inner() { "$IM_CONVERT" "$1" -crop 40x40+$2+$3 +repage "PNG24:$4"; }
inner "$work/circle.png" 30 30 "$work/circle-inner.png"
check "circle: the desktop inside" compare_pixels "$work/circle-inner.png" "$work/ref-circle-inner.png"

# A freehand square loop from (200,200) through its corners: the inside is the desktop.
freehand_case() {
  rm -f "$work/free.png"
  start_capture "FileName=$(tb_winpath "$work/free")" FlameStyle=2 VariLineShape=0 || return 1
  drag 200 200 300 200 400 200 400 300 400 400 300 400 200 400 200 300 200 201
  finish_capture "$work/free.png"
  local rc=$?
  stop_snapwell
  return $rc
}
check "freehand loop to PNG" freehand_case
crop_reference "$desktop" 250 250 100 100 "$work/ref-free-inner.png"
free_inner() {
  local w h
  read -r w h <<<"$("$IM_IDENTIFY" -format '%w %h' "$work/free.png")"
  [ "$w" -ge 199 ] && [ "$w" -le 206 ] && [ "$h" -ge 199 ] && [ "$h" -le 206 ] || { echo "${w}x${h}"; return 1; }
  # The loop's corner (200,200) lies at the picture's (off, off).
  local off=$(((w - 201) / 2))
  inner "$work/free.png" $((50 + off)) $((50 + off)) "$work/free-inner.png"
  "$IM_CONVERT" "$work/free-inner.png" -crop 100x100+0+0 +repage "PNG24:$work/free-inner.png"
}
check "freehand: the size of the loop" free_inner
inner "$work/free.png" 0 0 "$work/free-inner.png" 2>/dev/null
"$IM_CONVERT" "$work/free.png" -crop 100x100+$((($("$IM_IDENTIFY" -format '%w' "$work/free.png" 2>/dev/null || echo 201) - 201) / 2 + 50))+$((($("$IM_IDENTIFY" -format '%h' "$work/free.png" 2>/dev/null || echo 201) - 201) / 2 + 50)) +repage "PNG24:$work/free-inner.png" 2>/dev/null
check "freehand: the desktop inside" compare_pixels "$work/free-inner.png" "$work/ref-free-inner.png"

# The window target: a helper window of known colours at (600,420), 300x200, with a child at
# (40,30), 120x80, inside it; a click on the child takes the whole window (CaptureWindow 0) or
# the child alone (CaptureWindow 1); "Active" (CaptureWindow 2) takes the topmost ordinary window,
# the helper's, without a click.
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/target_window.exe" "$here/tools/target_window.c" -luser32 -lgdi32
"$IM_CONVERT" -size 300x200 xc:'rgb(40,160,200)' -fill 'rgb(230,60,30)' -draw 'rectangle 40,30 159,109' \
  -depth 8 "PNG24:$work/ref-window.png"
"$IM_CONVERT" -size 120x80 xc:'rgb(230,60,30)' -depth 8 "PNG24:$work/ref-control.png"
# Started after Snapwell, whose tray icon brings Wine's tray window up: the helper's is above it.
start_target() {
  "$WINE" "$work/target_window.exe" 600 420 300 200 40 30 120 80 >"$work/target.log" 2>&1 &
  wait_for 30 grep -q ready "$work/target.log" || { echo "the target window did not come up"; return 1; }
}
window_case() { # OUTFILE CAPTUREWINDOW: a click on the child, unless the mode needs none (2)
  local out=$1 rc=1
  rm -f "$out" "$work/target.log"
  if start_snapwell "FileName=$(tb_winpath "${out%.*}")" FlameStyle=3 CaptureWindow="$2" && start_target &&
    if [ "$2" = 2 ]; then press_hotkey quick; else press_hotkey && drag 700 490; fi; then
    finish_capture "$out"
    rc=$?
  fi
  stop_snapwell
  timeout 30 "$WINE" taskkill /f /im target_window.exe >/dev/null 2>&1
  return $rc
}
check "window target: the whole window" window_case "$work/window.png" 0
check "window: the window's pixels" compare_pixels "$work/window.png" "$work/ref-window.png"
check "window target: one control" window_case "$work/control.png" 1
check "control: the control's pixels" compare_pixels "$work/control.png" "$work/ref-control.png"
check "window target: the active window, without a click" window_case "$work/active.png" 2
check "active: the window's pixels" compare_pixels "$work/active.png" "$work/ref-window.png"

# A series of three PPM pictures at 0, 90 and 180 degrees.
series_case() {
  rm -f "$work"/ser*
  start_capture "FileName=$(tb_winpath "$work/ser")" DefaultExt=5 ContOutput=1 StartAng=0 EndAng=180 StepAng=90 \
    AutoName=1 || return 1
  drag 100 100 250 200 400 300
  # The series dialog asks for the angles first; OK takes those of the settings.
  sleep 1.5
  xdotool key Return
  three() { [ "$(ls "$work" | grep -c '^ser.*\.ppm$')" -eq 3 ] && tb_surface_gone 1024 768; }
  tb_poll 30 three || echo "series files: $(ls "$work" | grep '^ser')"
  stop_snapwell
  three
}
check "series of three to PPM" series_case
"$IM_CONVERT" "$ref" -rotate 90 "PNG24:$work/ref-rect-90.png"
"$IM_CONVERT" "$ref" -rotate 180 "PNG24:$work/ref-rect-180.png"
mapfile -t series < <(ls -v "$work"/ser*.ppm 2>/dev/null)
check "series: 0 degrees" compare_pixels "${series[0]:-none}" "$ref"
check "series: 90 degrees" compare_pixels "${series[1]:-none}" "$work/ref-rect-90.png"
check "series: 180 degrees" compare_pixels "${series[2]:-none}" "$work/ref-rect-180.png"

# The series with the output target dialog: its caption counts the pictures; Output on 1/3
# writes the first, Stop on 2/3 ends the series with no more output.
series_dialog_case() {
  rm -f "$work"/sd*
  start_capture "FileName=$(tb_winpath "$work/sd")" DefaultExt=5 ContOutput=1 StartAng=0 EndAng=180 StepAng=90 \
    AutoName=1 OutDialog=1 || return 1
  drag 100 100 250 200 400 300
  sleep 1.5
  xdotool key Return
  tb_poll 10 dialog_named "Output Target Setting 1/3" && sleep 0.5 && xdotool key alt+o &&
    tb_poll 10 dialog_named "Output Target Setting 2/3" && sleep 0.5 && xdotool key alt+s &&
    tb_poll 10 tb_surface_gone 1024 768 || { echo "the screen: $("$root/scripts/desktop" shot e2e-series-dialog)"; stop_snapwell; return 1; }
  sleep 2
  stop_snapwell
  equals sd0.ppm eval 'ls "$work" | grep "^sd"'
}
check "series with the dialog: 1/3 output, Stop on 2/3 ends it" series_dialog_case
check "... 1/3: the pixels of the desktop" compare_pixels "$work/sd0.ppm" "$ref"

# Under Japanese, with no output name stored: the default name (text 106) is relative, so the
# picture lands in the user's Pictures folder, whole.
ja_case() {
  stop_snapwell
  japanese_face >/dev/null 2>&1
  "$WINESERVER" -k >/dev/null 2>&1
  # Wine maps the Pictures folder to the home folder when the desktop has no XDG Pictures folder.
  pictures=$(echo "$WINEPREFIX"/drive_c/users/*/Pictures)
  rm -f "$pictures"/Snapwell出力ファイル*.png "$HOME"/Snapwell出力ファイル*.png
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 ReverseValue=0 \
    EnlargeValue=1 RollValue=6 DefaultExt=3 WhereStay=0 AppearWindow=0 HotKeyEnabled=1 HotKeyModifiers=2 \
    HotKeyKeyCode=109 >/dev/null 2>&1
  timeout 60 "$WINE" reg delete 'HKCU\Software\Snapwell\Default' /v FileName /f >/dev/null 2>&1
  (export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 && tb_start "$(tb_winpath "$exe")" "$root/build/win64" >>"$work/snapwell.log" 2>&1)
  tb_pid=$(pgrep -f "$snapwell_pattern" | head -1)
  tb_wait_up 30 || { echo "Snapwell showed no window"; return 1; }
  press_hotkey || return 1
  drag 100 100 250 200 400 300
  ja_file() { ls "$pictures"/Snapwell出力ファイル.png "$HOME"/Snapwell出力ファイル.png 2>/dev/null | head -1; }
  tb_poll 30 eval '[ -n "$(ja_file)" ] && tb_file_complete "$(ja_file)"' || {
    echo "no Japanese-named PNG in Pictures; the screen: $("$root/scripts/desktop" shot e2e-ja)"
    stop_snapwell
    return 1
  }
  cp "$(ja_file)" "$work/ja.png"
  rm -f "$(ja_file)"
  stop_snapwell
}
check "Japanese: the default name in the Pictures folder" ja_case
check "Japanese: the pixels of the desktop" compare_pixels "$work/ja.png" "$ref"
ja_warning_case() {
  stop_snapwell
  "$WINESERVER" -k >/dev/null 2>&1
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 ReverseValue=0 \
    EnlargeValue=2 RollValue=6 DefaultExt=3 WhereStay=0 AppearWindow=0 HotKeyEnabled=1 HotKeyModifiers=2 \
    HotKeyKeyCode=109 "FileName=$(tb_winpath "$work/warn-ja")" >/dev/null 2>&1
  (export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 && tb_start "$(tb_winpath "$exe")" "$root/build/win64" >>"$work/snapwell.log" 2>&1)
  tb_pid=$(pgrep -f "$snapwell_pattern" | head -1)
  tb_wait_up 30 || { echo "Snapwell showed no window"; return 1; }
  press_hotkey || return 1
  size_warning ja '警告!'
  local rc=$?
  stop_snapwell
  return $rc
}
check "Japanese: the size warning in front of the frozen screen" ja_warning_case

e2e_finish
