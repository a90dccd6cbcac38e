# Harness of the end-to-end window tests, sourced by e2e.sh.
#
# It gives each test a private X server (Xvfb on a free display, found with
# -displayfd), an optional window manager (openbox), the program under test,
# and the means to act and look as a person would: xdotool for keys and the
# mouse, the PRIMARY selection for a field's text, screen pixels and
# screenshots. Everything started here is ended when the test exits, whether it
# passes or fails. Needs PLINVOR (the executable) and ARTIFACTS (a directory for
# logs and screenshots) to be set.

# Where the window opens and how big it is, in screen pixels.
readonly WIN_X=465 WIN_Y=178 WIN_W=361 WIN_H=328
# The desktop colour: the root window is painted with it, a green that the
# skin does not use, so that "the desktop shows here" is unambiguous.
readonly DESKTOP='#11EF03'
# A window pixel that the skin always paints opaque (inside the logo panel):
# once it no longer shows the desktop, the window has painted.
readonly PAINT_PROBE_X=180 PAINT_PROBE_Y=60
# Top rows of the three amount fields (all at x 88, 186 x 21 pixels).
declare -rA FIELD_TOP=([edcfp]=132 [edff]=176 [edeuro]=220)

mkdir -p "${ARTIFACTS:?}"
rm -f "$ARTIFACTS"/*
TMP=$(mktemp -d)
started=()    # pids of the processes started here, ended last first
PLINVOR_PID=
WIN=          # Plinvor's X window
WX= WY= WW= WH=  # its place and size, as last read by window_geometry

# Private home and runtime directories, so that no user setting (an openbox
# configuration, Qt settings) reaches the test and nothing of it stays behind.
export HOME=$TMP/home XDG_CONFIG_HOME=$TMP/home/.config XDG_STATE_HOME=$TMP/home/.local/state
export XDG_RUNTIME_DIR=$TMP/run QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

stop() {
  local pid=$1 i
  kill "$pid" 2>/dev/null || return 0
  for ((i = 0; i < 40; i++)); do
    [[ -e /proc/$pid ]] && ! ended "$pid" || break
    sleep 0.05
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  local i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do stop "${started[i]}"; done
  rm -rf "$TMP"
}
trap cleanup EXIT

# fail MESSAGE: reports what the test saw, keeps a screenshot, ends the test.
fail() {
  echo "FAIL: $*" >&2
  if [[ -n ${DISPLAY:-} ]] && import -silent -window root "$ARTIFACTS/failure.png" 2>/dev/null; then
    echo "screenshot of the screen: $ARTIFACTS/failure.png" >&2
  fi
  if [[ -s $ARTIFACTS/plinvor.log ]]; then
    echo "--- Plinvor's standard output and error:" >&2
    tail -n 20 "$ARTIFACTS/plinvor.log" >&2
  fi
  exit 1
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every 50 ms until it succeeds;
# fails the test ("timed out waiting for WHAT") after SECONDS, with what the
# command last saw if it put that in SEEN.
wait_for() {
  local seconds=$1 what=$2 deadline
  shift 2
  deadline=$((SECONDS + seconds))
  SEEN=
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out after ${seconds}s waiting for $what${SEEN:+; saw $SEEN}"
    sleep 0.05
  done
}

# ended PID: true once the process has exited (gone, or a zombie not yet reaped).
ended() {
  local state
  state=$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) || return 0
  [[ $state == Z ]]
}

start_x() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$TMP/display" >"$ARTIFACTS/xvfb.log" 2>&1 &
  started+=($!)
  wait_for 10 "the X server to start" grep -qsx '[0-9]\+' "$TMP/display"
  export DISPLAY=:$(<"$TMP/display")
  xsetroot -solid "$DESKTOP"
  [[ -z ${XRESOURCES:-} ]] || xrdb -nocpp -merge <<<"$XRESOURCES"
  xdotool mousemove 10 10   # well away from the window: nothing gets clicked by chance
}

start_openbox() {
  openbox --sm-disable >"$ARTIFACTS/openbox.log" 2>&1 &
  started+=($!)
  wait_for 10 "openbox to manage the screen" wm_running
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_accessibility_bus: a private D-Bus session bus, and on it the
# accessibility bus (AT-SPI), activated before any program starts: Qt
# registers with an accessibility bus that is already there, not with one
# that it is handed the address of. The bus launcher is stopped with the rest.
start_accessibility_bus() {
  local launcher
  dbus-daemon --session --nofork --print-address=3 3>"$TMP/bus" >"$ARTIFACTS/dbus.log" 2>&1 &
  started+=($!)
  wait_for 10 "the session bus to start" grep -qs 'guid=[0-9a-f]\{32\}$' "$TMP/bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$TMP/bus")
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >>"$ARTIFACTS/dbus.log" 2>&1 || fail "the accessibility bus did not start (see $ARTIFACTS/dbus.log)"
  launcher=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus 2>/dev/null | awk '/uint32/ {print $2}')
  [[ -z $launcher ]] || started+=("$launcher")
}

# start_plinvor [NAME=VALUE...]: starts the program (en_US.UTF-8 unless the
# arguments say otherwise) and waits until its window is mapped and painted.
start_plinvor() {
  env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$@" "$PLINVOR" >"$ARTIFACTS/plinvor.log" 2>&1 &
  PLINVOR_PID=$!
  started+=("$PLINVOR_PID")
  wait_for 15 "Plinvor's window to be mapped" find_window
  wait_for 10 "Plinvor's window to paint (pixel at window $PAINT_PROBE_X,$PAINT_PROBE_Y)" painted
}
find_window() {
  ended "$PLINVOR_PID" && fail "Plinvor exited before showing its window"
  WIN=$(xdotool search --onlyvisible --pid "$PLINVOR_PID" 2>/dev/null | head -n 1)
  [[ -n $WIN ]]
}
painted() {
  window_geometry || return 1
  SEEN="the desktop colour there, window at $WX,$WY"
  [[ $(pixel $((WX + PAINT_PROBE_X)) $((WY + PAINT_PROBE_Y))) != "$DESKTOP" ]]
}

# window_geometry: reads the window's place on the screen and its size into WX WY WW WH.
window_geometry() {
  local info
  info=$(xwininfo -id "$WIN" 2>/dev/null) || return 1
  WX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  WY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WW=$(sed -n 's/^ *Width: *//p' <<<"$info")
  WH=$(sed -n 's/^ *Height: *//p' <<<"$info")
}
window_at() {
  window_geometry || return 1
  SEEN="the window at $WX,$WY"
  [[ $WX == "$1" && $WY == "$2" ]]
}

# wait_for_focus: the X input focus must reach the window by itself: no click.
wait_for_focus() { wait_for 5 "the keyboard focus to reach Plinvor's window" has_focus; }
has_focus() {
  local focus
  focus=$(xdotool getwindowfocus 2>/dev/null) || focus='none'
  SEEN="the focus on window $focus, Plinvor's window being $WIN"
  [[ $focus == "$WIN" ]]
}

# pixel X Y: the colour on the screen at (X, Y), as #RRGGBB.
pixel() { import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1; }

screenshot() { import -silent -window root "$ARTIFACTS/$1.png"; }

# where COLOUR IN OUT: OUT is white where IN is exactly COLOUR, black elsewhere.
where() { convert "$2" -fill black +opaque "$1" -fill white -opaque "$1" "$3"; }
white_count() { convert "$1" -format '%[fx:round(mean*w*h)]' info:; }
# check_see_through WINDOW_PNG: wherever the skin (SKIN_BMP) is key-coloured,
# in its rows that the window shows, the picture of the window shows the
# desktop beneath; and no pixel of it is pure red.
check_see_through() {
  convert "$SKIN_BMP" -crop "${WIN_W}x$WIN_H+0+0" +repage "$TMP/skin.png"
  where '#FF0000' "$TMP/skin.png" "$TMP/key.png"
  (($(white_count "$TMP/key.png") > 30000)) || fail "the skin $SKIN_BMP has hardly any key colour"
  # Key-coloured skin pixels where the screen does not show the desktop.
  where "$DESKTOP" "$1" "$TMP/desktop.png"
  convert "$TMP/key.png" \( "$TMP/desktop.png" -negate \) -compose multiply -composite "$TMP/hidden.png"
  (($(white_count "$TMP/hidden.png") == 0)) ||
    fail "$(white_count "$TMP/hidden.png") key-coloured pixels do not show the desktop, e.g." \
         "$(white_places "$TMP/hidden.png")"
  where '#FF0000' "$1" "$TMP/red.png"
  (($(white_count "$TMP/red.png") == 0)) ||
    fail "$(white_count "$TMP/red.png") pure red pixels in the window, e.g. $(white_places "$TMP/red.png")"
}
white_places() { convert "$1" txt:- | grep -i '#FFFFFF' | head -n 5 | cut -d: -f1 | tr '\n' ' '; }

# Mouse actions at window-relative points.
click_at() { xdotool mousemove --sync $((WX + $1)) $((WY + $2)) click 1; }
# press_at X Y [BUTTON] and release [BUTTON]: the left button unless told.
press_at() { xdotool mousemove --sync $((WX + $1)) $((WY + $2)) mousedown "${3:-1}"; }
release() { xdotool mouseup "${1:-1}"; }
# glide_to X Y: moves the pointer there in small steps, as a hand would.
glide_to() {
  local x0 y0 x1=$((WX + $1)) y1=$((WY + $2)) i steps=10
  eval "$(xdotool getmouselocation --shell)"
  x0=$X y0=$Y
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove --sync $((x0 + (x1 - x0) * i / steps)) $((y0 + (y1 - y0) * i / steps))
    sleep 0.02
  done
}

# field_text FIELD: the text of an amount field, read with the mouse alone
# (a triple click selects it all, which sets the PRIMARY selection), so that
# reading raises no key event and runs none of the fields' key handling.
# An empty field selects nothing: its text reads as "<nothing selected>".
field_text() {
  local sentinel='<nothing selected>' text i
  printf '%s' "$sentinel" | xclip -selection primary -i >/dev/null 2>&1
  xdotool mousemove --sync $((WX + 180)) $((WY + FIELD_TOP[$1] + 10)) click --repeat 3 --delay 80 1
  for ((i = 0; i < 20; i++)); do
    text=$(xclip -o -selection primary 2>/dev/null) || true
    [[ $text != "$sentinel" ]] && break
    sleep 0.05
  done
  printf '%s' "$text"
}

# wait_exit SECONDS: waits for Plinvor to end and puts its exit status in EXIT_CODE.
wait_exit() {
  wait_for "$1" "Plinvor to exit" ended "$PLINVOR_PID"
  EXIT_CODE=0
  wait "$PLINVOR_PID" || EXIT_CODE=$?
}
