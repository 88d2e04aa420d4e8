# shellcheck shell=bash
# Driving captures in the end-to-end tests (sourced after lib.sh): Snapwell started with its
# settings, the hotkey, a drag, the file awaited, the program ended. The caller sets `exe` (the
# program), `work` (its folder) and, for a screen other than 1024x768, `screen_w` and `screen_h`;
# `unmanaged` on a bed whose Wine windows no window manager handles (several monitors, see
# scripts/wine-session): the keyboard focus is then given directly, and the surface is ready once
# it covers the screen and has had a moment to take the pointer.
screen_w=${screen_w:-1024}
screen_h=${screen_h:-768}
focus_window() {
  if [ -n "${unmanaged:-}" ]; then xdotool windowfocus --sync "$1"; else xdotool windowactivate --sync "$1"; fi
}
surface_ready() {
  if [ -n "${unmanaged:-}" ]; then
    tb_surface_shown "$screen_w" "$screen_h" && sleep 0.3
  else
    tb_surface_active "$screen_w" "$screen_h"
  fi
}

# start_snapwell NAME=VALUE...: Snapwell up with a rectangle-to-file set-up changed by the given
# settings. press_hotkey [quick]: its dialog focused, the hotkey pressed; succeeds once the
# surface covers the screen (with "quick" at once: a capture without input may be over by then).
# start_capture NAME=VALUE...: both.
start_snapwell() {
  tb_settings FlameStyle=0 CopyTimer=0 Outputs=2 OutDialog=0 AutoName=0 ContOutput=0 FixField=0 \
    ReverseValue=0 EnlargeValue=1 RollValue=6 DefRoll=0 DefaultExt=3 WhereStay=0 AppearWindow=0 \
    HotKeyEnabled=1 HotKeyModifiers=2 HotKeyKeyCode=109 "$@" >/dev/null 2>&1
  tb_start "$(tb_winpath "$exe")" "$root/build/win64" >>"$work/snapwell.log" 2>&1
  tb_wait_up 30 || { echo "Snapwell showed no window"; return 1; }
}
press_hotkey() {
  focus_window "$(tb_windows | head -1)" >/dev/null 2>&1
  tb_hotkey
  [ "${1:-}" = quick ] || tb_poll 10 surface_ready || { echo "no capture surface ready after the hotkey"; return 1; }
}
start_capture() { start_snapwell "$@" && press_hotkey; }

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
# Waits until no Snapwell process is left, so the next case's hotkey reaches the next one. Only
# this tree's program counts: other test sessions on the machine may run a Snapwell of their own.
snapwell_pattern=$(tb_winpath "$exe" | sed 's/[\\.]/\\&/g')
snapwell_gone() { ! pgrep -f "$snapwell_pattern" >/dev/null; }
stop_snapwell() {
  timeout 30 "$WINE" taskkill /f /im Snapwell.exe >/dev/null 2>&1
  tb_poll 10 snapwell_gone || { echo "Snapwell did not end"; return 1; }
}

# finish_capture FILE: the file is complete within 30 s and the surface has gone.
finish_capture() {
  tb_poll 30 tb_file_complete "$1" || {
    echo "no complete $1 after 30 s; the screen: $("$root/scripts/desktop" shot "e2e-$(basename "$1")")"
    stop_snapwell
    return 1
  }
  tb_poll 10 tb_surface_gone "$screen_w" "$screen_h" || { echo "the surface stayed after the capture"; return 1; }
}

