# shellcheck shell=bash
# Driving Snapwell.exe on a Wine test desktop (sourced by scripts/run, scripts/measure and the
# end-to-end tests; needs the variables scripts/wine-session exports: WINE, WINEPREFIX, DISPLAY).
# Every wait is bounded.

# tb_now_ms: milliseconds since the epoch.
tb_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# tb_wine_up: one wineserver for the whole session (each Wine command would otherwise start it
# and its services anew), its services started with no pipe of the caller open: they outlive
# the command and would keep a command substitution or a pipeline waiting.
tb_wine_up() {
  "$WINESERVER" -p
  timeout 60 "$WINE" wineboot </dev/null >/dev/null 2>&1
}

# tb_poll SECONDS COMMAND...: runs the command every 10 ms until it succeeds; fails after SECONDS.
tb_poll() {
  local limit=$(($1 * 1000)) start
  shift
  start=$(tb_now_ms)
  until "$@" >/dev/null 2>&1; do
    [ $(($(tb_now_ms) - start)) -ge $limit ] && return 1
    sleep 0.01
  done
}

# tb_settings NAME=VALUE...: writes the values into Snapwell's settings store (all REG_SZ, as the
# program keeps them) in one go, with CurrentVersion 4.5 so that no migration rewrites them.
tb_settings() {
  local reg=$WINEPREFIX/drive_c/snapwell-settings.reg pair name value
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Snapwell\\Default]\r\n'
    printf '"CurrentVersion"="4.5"\r\n'
    for pair in "$@"; do
      name=${pair%%=*} value=${pair#*=}
      value=${value//\\/\\\\} value=${value//\"/\\\"}
      printf '"%s"="%s"\r\n' "$name" "$value"
    done
  } >"$reg"
  timeout 60 "$WINE" regedit /S 'C:\snapwell-settings.reg'
  rm -f "$reg"
}

# tb_winpath UNIX_PATH: the same place as Wine sees it (drive Z: is the Unix root).
tb_winpath() { echo "Z:${1//\//\\}"; }

# tb_start EXE [FOLDER]: starts Snapwell (a Windows path or a Unix one) with FOLDER as its
# working folder; its process id is left in tb_pid.
tb_pid=""
tb_start() {
  local exe=$1 folder=${2:-.}
  (cd "$folder" && exec timeout 600 "$WINE" "$exe") &
  tb_pid=$!
}
tb_running() { [ -n "$tb_pid" ] && kill -0 "$tb_pid" 2>/dev/null; }

# tb_windows: Snapwell's visible top-level windows (X window ids).
tb_windows() { xdotool search --onlyvisible --class 'snapwell\.exe' 2>/dev/null; }

# tb_wait_up [SECONDS]: until Snapwell shows a window (its settings dialog); fails if it ends first.
tb_wait_up() {
  local limit=${1:-30} start
  start=$(tb_now_ms)
  while [ -z "$(tb_windows)" ]; do
    tb_running || return 1
    [ $(($(tb_now_ms) - start)) -ge $((limit * 1000)) ] && return 1
    sleep 0.05
  done
}

# tb_surface_shown W H: a visible Snapwell window covers the whole W x H screen from 0,0.
tb_surface_shown() {
  local w=$1 h=$2 id geometry
  for id in $(tb_windows); do
    geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | tr '\n' ' ')
    [[ $geometry == *"X=0 Y=0 WIDTH=$w HEIGHT=$h "* ]] && return 0
  done
  return 1
}
tb_surface_gone() { ! tb_surface_shown "$@"; }

# tb_surface_active W H: the capture surface covers the W x H screen and is the active window.
# Only then is it ready for the mouse: a press right after it is mapped, while the window manager
# still places it, may miss it.
tb_surface_active() {
  local id
  id=$(xdotool getactivewindow 2>/dev/null) &&
    xdotool getwindowgeometry --shell "$id" 2>/dev/null | tr '\n' ' ' | grep -q "X=0 Y=0 WIDTH=$1 HEIGHT=$2 " &&
    tb_windows | grep -qx "$id"
}

# tb_hotkey: the default capture hotkey, Ctrl + numeric-keypad minus, to the focused window.
tb_hotkey() { xdotool key ctrl+KP_Subtract; }

# tb_file_complete FILE: the file is all there: a BMP as long as its header says, a PNG ending
# with its IEND chunk, a JPEG with its end marker, anything else not empty.
tb_file_complete() {
  local f=$1 size
  [ -s "$f" ] || return 1
  size=$(stat -c %s "$f")
  case "${f,,}" in
    *.bmp) [ "$size" -ge 54 ] && [ "$(od -An -tu4 -j2 -N4 "$f" | tr -d ' ')" = "$size" ] ;;
    *.png) [ "$(tail -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = "49454e44ae426082" ] ;;
    *.jpg | *.jpeg) [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' \n')" = "ffd9" ] ;;
    *) true ;;
  esac
}

# tb_quit: asks Snapwell to close (WM_CLOSE to its windows), then ends it if it is still there.
tb_quit() {
  tb_running || return 0
  timeout 30 "$WINE" taskkill /im Snapwell.exe >/dev/null 2>&1
  tb_poll 15 eval '! tb_running' || { kill "$tb_pid" 2>/dev/null; return 1; }
}
