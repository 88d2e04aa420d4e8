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
trap 'stop_snapwell >/dev/null 2>&1' EXIT
desktop=$work/desktop.png
"$root/scripts/desktop" picture "$desktop" 1024x768
"$root/scripts/desktop" show "$desktop"
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/clipboard_dump.exe" "$here/tools/clipboard_dump.c" -luser32 -lgdi32

# start_capture NAME=VALUE...: Snapwell with a rectangle-to-file set-up changed by the given
# settings, its dialog focused, the hotkey pressed; succeeds once the surface covers the screen.
start_capture() {
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 FixField=0 \
    ReverseValue=0 EnlargeValue=1 RollValue=6 DefRoll=0 DefaultExt=3 WhereStay=0 AppearWindow=0 \
    HotKeyEnabled=1 HotKeyModifiers=2 HotKeyKeyCode=109 "$@" >/dev/null 2>&1
  tb_start "$(tb_winpath "$exe")" "$root/build/win64" >>"$work/snapwell.log" 2>&1
  tb_wait_up 30 || { echo "Snapwell showed no window"; return 1; }
  xdotool windowactivate --sync "$(tb_windows | head -1)" >/dev/null 2>&1
  tb_hotkey
  tb_poll 10 tb_surface_shown 1024 768 || { echo "no capture surface after the hotkey"; return 1; }
}

# drag X1 Y1 X2 Y2 [VIA_X VIA_Y]...: the left button pressed at the first point, moved through
# the others and released at the last.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  shift 2
  while [ $# -ge 2 ]; do
    sleep 0.05
    xdotool mousemove "$1" "$2"
    shift 2
  done
  sleep 0.1
  xdotool mouseup 1
}

# stop_snapwell: ends the resident program at once (closing its dialog only sends it to the tray).
stop_snapwell() {
  tb_running || return 0
  timeout 30 "$WINE" taskkill /f /im Snapwell.exe >/dev/null 2>&1
  tb_poll 10 eval '! tb_running' || kill "$tb_pid" 2>/dev/null
}

# finish_capture FILE: the file is complete within 30 s and the surface has gone.
finish_capture() {
  tb_poll 30 tb_file_complete "$1" || {
    echo "no complete $1 after 30 s; the screen: $("$root/scripts/desktop" shot "e2e-$(basename "$1")")"
    stop_snapwell
    return 1
  }
  tb_poll 10 tb_surface_gone 1024 768 || { echo "the surface stayed after the capture"; return 1; }
}

# psnr_at_least PICTURE REFERENCE DB: the peak signal-to-noise ratio is at least DB decibels.
psnr_at_least() {
  local psnr
  psnr=$("$IM_COMPARE" -metric PSNR "$1" "$2" null: 2>&1)
  awk -v p="${psnr%% *}" -v min="$3" 'BEGIN { exit !(p + 0 >= min) }' || { echo "PSNR $psnr dB, below $3"; return 1; }
}

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

e2e_finish
