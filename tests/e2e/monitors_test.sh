#!/usr/bin/env bash
# Captures on two monitors: 1280x1024 at (0,0) and 1024x768 at (1280,0) under Wine, the known
# desktop picture over the whole 2304x1024 screen. The corner right of the first monitor and
# below the second shows no monitor: a capture is white there. Every wait is bounded.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${SNAPWELL_E2E_SESSION:-}" ]; then
  export SNAPWELL_E2E_SESSION=1 WINEPREFIX=$root/build/wineprefix-monitors SNAPWELL_MONITORS=1280x1024,1024x768
  exec "$root/scripts/wine-session" "$0" "$@"
fi
. "$here/lib.sh"
tb_wine_up
exe=$root/build/win64/Snapwell.exe
work=$root/build/e2e/monitors
screen_w=2304 screen_h=1024 unmanaged=1
rm -rf "$work" && mkdir -p "$work"
. "$here/capture_lib.sh"
trap 'stop_snapwell >/dev/null 2>&1' EXIT
desktop=$work/desktop.png
"$root/scripts/desktop" picture "$desktop" 2304x1024
"$root/scripts/desktop" show "$desktop"
# Where no monitor stands the known picture is white.
"$IM_CONVERT" "$desktop" -fill white -draw 'rectangle 1280,768 2303,1023' "PNG24:$work/expected.png"

monitor_count() { "$WINE" "$work/monitors.exe" | tr -d '\r'; }
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/monitors.exe" -x c - -luser32 <<'C'
#include <stdio.h>
#include <windows.h>
int main(void) {
  printf("%d monitors, %dx%d\n", GetSystemMetrics(SM_CMONITORS), GetSystemMetrics(SM_CXVIRTUALSCREEN),
         GetSystemMetrics(SM_CYVIRTUALSCREEN));
  return 0;
}
C
check "Wine sees two monitors on a 2304x1024 screen" equals "2 monitors, 2304x1024" monitor_count

# Each capture starts with the pointer on the first monitor: Wine 8 on this bed misplaces its
# cursor by tens of pixels when the pointer, resting on the second monitor as the surface comes
# up, is then moved onto the first.
park_pointer() { xdotool mousemove 640 512; }
# rect_case NAME X1 Y1 X2 Y2 [SETTINGS...]: that rectangle captured to NAME.png.
rect_case() {
  local out=$work/$1.png rc
  park_pointer
  start_capture "FileName=$(tb_winpath "${out%.*}")" "${@:6}" || return 1
  drag "$2" "$3" $((($2 + $4) / 2)) $((($3 + $5) / 2)) "$4" "$5"
  finish_capture "$out"
  rc=$?
  stop_snapwell
  return $rc
}
# same_as_expected NAME X Y W H: NAME.png is that part of the expected screen.
same_as_expected() {
  crop_reference "$work/expected.png" "$2" "$3" "$4" "$5" "$work/ref-$1.png" &&
    compare_pixels "$work/$1.png" "$work/ref-$1.png"
}
check "a rectangle on the second monitor" rect_case second 1400 100 1700 300
check "second: the pixels of the desktop" same_as_expected second 1400 100 301 201
check "a rectangle across the seam" rect_case seam 1100 200 1500 400
check "seam: the pixels of both monitors" same_as_expected seam 1100 200 401 201
# The pointer cannot enter the corner: a frame of fixed size placed beside it reaches into it.
corner_case() {
  local out=$work/corner.png rc
  park_pointer
  start_capture "FileName=$(tb_winpath "${out%.*}")" FixField=1 FixFieldX=300 FixFieldY=300 || return 1
  xdotool mousemove 1100 600 sleep 0.2 click 1
  finish_capture "$out"
  rc=$?
  stop_snapwell
  return $rc
}
check "a frame of fixed size into the uncovered corner" corner_case
check "corner: the desktop, and white where no monitor is" same_as_expected corner 1100 600 300 300

# The window target on the second monitor: the helper window of capture_test at (1500,300).
x86_64-w64-mingw32-gcc-posix -O1 -o "$work/target_window.exe" "$here/tools/target_window.c" -luser32 -lgdi32
"$IM_CONVERT" -size 300x200 xc:'rgb(40,160,200)' -fill 'rgb(230,60,30)' -draw 'rectangle 40,30 159,109' \
  -depth 8 "PNG24:$work/ref-window.png"
"$IM_CONVERT" -size 120x80 xc:'rgb(230,60,30)' -depth 8 "PNG24:$work/ref-control.png"
window_case() { # NAME CAPTUREWINDOW: a click on the child
  local out=$work/$1.png rc=1
  rm -f "$out" "$work/target.log"
  if start_snapwell "FileName=$(tb_winpath "${out%.*}")" FlameStyle=3 CaptureWindow="$2"; then
    "$WINE" "$work/target_window.exe" 1500 300 300 200 40 30 120 80 >"$work/target.log" 2>&1 &
    if wait_for 30 grep -q ready "$work/target.log" && press_hotkey && drag 1600 370; then
      finish_capture "$out"
      rc=$?
    fi
  fi
  stop_snapwell
  timeout 30 "$WINE" taskkill /f /im target_window.exe >/dev/null 2>&1
  return $rc
}
check "window target on the second monitor: the whole window" window_case window 0
check "window: the window's pixels" compare_pixels "$work/window.png" "$work/ref-window.png"
check "window target on the second monitor: one control" window_case control 1
check "control: the control's pixels" compare_pixels "$work/control.png" "$work/ref-control.png"

# The output target dialog comes up in the middle of the monitor of the region.
dialog_on_second() {
  local X Y WIDTH HEIGHT id
  start_capture "FileName=$(tb_winpath "$work/dialog")" OutDialog=1 || return 1
  drag 1400 100 1550 200 1700 300
  tb_poll 10 eval 'xdotool search --onlyvisible --name "^Output Target Setting\$"' ||
    { echo "no output target dialog: $("$root/scripts/desktop" shot e2e-monitors-dialog)"; return 1; }
  sleep 0.5
  echo "screenshot: $("$root/scripts/desktop" shot e2e-monitors-dialog)"
  id=$(xdotool search --onlyvisible --name '^Output Target Setting$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  stop_snapwell
  local centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
  # The window manager's frame moves the client a few pixels; the middle of 1280..2304 is 1792.
  [ $((centre_x - 1792)) -le 20 ] && [ $((1792 - centre_x)) -le 20 ] && [ $((centre_y - 384)) -le 30 ] &&
    [ $((384 - centre_y)) -le 30 ] || { echo "the dialog's middle is at $centre_x,$centre_y"; return 1; }
}
check "the output target dialog on the region's monitor" dialog_on_second
e2e_finish
