#!/usr/bin/env bash
# wayland.sh CASE PLINVOR SKIN_BMP ARTIFACT_DIR
#
# One test of the Plinvor window on a real Wayland compositor, named by CASE
# (see the table at the end). weston runs with its X11 backend on the tests'
# private Xvfb: the compositor's output is an X window, so xdotool drives
# weston's own seat and a screenshot of the X screen is what the compositor
# shows. The program runs as a native Wayland client: WAYLAND_DISPLAY set to
# the test's private socket, DISPLAY and QT_QPA_PLATFORM unset, as in a
# Wayland session. Logs and screenshots go to ARTIFACT_DIR.
set -euo pipefail
CASE=$1 PLINVOR=$2 SKIN_BMP=$3 ARTIFACTS=$4
source "$(dirname "$0")/../e2e/lib.sh"

# weston's output, at the top-left corner of the X screen.
readonly OUT_W=1024 OUT_H=768

# start_weston: the X server, then weston on it, with the desktop colour as
# its background and no panel, animation or screen lock.
start_weston() {
  start_x
  cat >"$TMP/weston.ini" <<EOF
[core]
idle-time=0
[shell]
background-color=0xff${DESKTOP#\#}
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
[input-method]
path=
EOF
  weston --config="$TMP/weston.ini" --backend=x11-backend.so --debug --socket=plinvor-test \
    --width=$OUT_W --height=$OUT_H >"$ARTIFACTS/weston.log" 2>&1 &
  started+=($!)
  export WAYLAND_DISPLAY=plinvor-test
  wait_for 15 "weston to paint its background" weston_ready
  # The backend takes relative motion: the pointer enters through 0,0.
  xdotool mousemove 0 0 && sleep 0.1 && xdotool mousemove 5 5
}
weston_ready() {
  [[ -S $XDG_RUNTIME_DIR/plinvor-test ]] && [[ $(pixel 900 700) == "$DESKTOP" ]]
}

# scene_view PID ROLE: the place of that client's view of ROLE in weston's
# scene graph, as "X Y W H", or nothing.
scene_view() {
  timeout 5 weston-debug scene-graph 2>/dev/null |
    awk -v pid="PID $1," -v role="role $2," '
      index($0, pid) && index($0, role) { found = 1; next }
      found && /position:/ { gsub(/[(),>-]/, " "); print $2, $3, $4 - $2, $5 - $3; exit }'
}

# start_wayland_plinvor: starts the program as a Wayland client and waits for
# its top-level to show and paint; its place goes into WX WY.
start_wayland_plinvor() {
  env -u DISPLAY -u QT_QPA_PLATFORM LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$@" "$PLINVOR" \
    >"$ARTIFACTS/plinvor.log" 2>&1 &
  PLINVOR_PID=$!
  started+=("$PLINVOR_PID")
  wait_for 15 "Plinvor's xdg_toplevel in weston's scene graph" wayland_window
  wait_for 10 "Plinvor's window to paint" painted_at
}
wayland_window() {
  ended "$PLINVOR_PID" && fail "Plinvor exited before showing its window"
  local view
  view=$(scene_view "$PLINVOR_PID" xdg_toplevel)
  [[ -n $view ]] || return 1
  read -r WX WY WW WH <<<"$view"
}
painted_at() {
  wayland_window || return 1
  SEEN="the desktop colour there, window at $WX,$WY"
  [[ $(pixel $((WX + PAINT_PROBE_X)) $((WY + PAINT_PROBE_Y))) != "$DESKTOP" ]]
}

# window_shot NAME: the window's pixels as the compositor shows them.
window_shot() {
  import -silent -window root "$ARTIFACTS/$1-screen.png"
  convert "$ARTIFACTS/$1-screen.png" -crop "${WIN_W}x$WIN_H+$WX+$WY" +repage "$ARTIFACTS/$1.png"
}

# The program runs on Qt's wayland plugin (a native xdg_toplevel of its own
# process: this weston runs no Xwayland), at the skin's size.
test_platform() {
  start_weston
  start_wayland_plinvor
  ((WW == WIN_W && WH == WIN_H)) || fail "the window is ${WW}x$WH, expected ${WIN_W}x$WIN_H"
}

# No window pixel is red, and every key-coloured pixel of the skin shows the
# compositor's background.
test_look() {
  start_weston
  start_wayland_plinvor
  xdotool mousemove 1000 760   # the pointer away from the window
  sleep 0.3
  window_shot look
  check_see_through "$ARTIFACTS/look.png"
  # And the skin itself is there: the logo panel is not see-through.
  [[ $(pixel $((WX + PAINT_PROBE_X)) $((WY + PAINT_PROBE_Y))) != "$DESKTOP" ]] ||
    fail "the logo panel shows the background"
}

# field_crop IMAGE FIELD OUT: the white of an amount field (no caret: only
# fields without the focus are compared).
field_crop() { convert "$1" -crop "186x21+88+${FIELD_TOP[$2]}" +repage "$3"; }

# Typing 1000 with no click lands in the CFP field; the two others then show
# exactly what the same program shows on X11 after the same keys (54.97 and
# 8.38), pixel for pixel.
test_convert() {
  local field diff
  start_weston
  start_wayland_plinvor
  xdotool mousemove 1000 760
  sleep 0.3
  xdotool key --delay 80 1 0 0 0
  sleep 0.5
  window_shot wayland
  # The reference: the same program on the X server itself, typed the same.
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$PLINVOR" \
    >"$ARTIFACTS/plinvor-x11.log" 2>&1 &
  local x11=$!
  started+=("$x11")
  local wayland_pid=$PLINVOR_PID
  PLINVOR_PID=$x11
  wait_for 15 "the X11 reference window" find_window
  wait_for 10 "the X11 reference window to paint" painted
  wait_for_focus
  xdotool key --delay 80 1 0 0 0
  sleep 0.5
  import -silent -window root -crop "${WIN_W}x$WIN_H+$WX+$WY" +repage "$ARTIFACTS/x11.png"
  PLINVOR_PID=$wayland_pid
  for field in edff edeuro; do
    field_crop "$ARTIFACTS/wayland.png" $field "$TMP/w-$field.png"
    field_crop "$ARTIFACTS/x11.png" $field "$TMP/x-$field.png"
    diff=$(compare -metric AE "$TMP/w-$field.png" "$TMP/x-$field.png" null: 2>&1) || true
    [[ $diff == 0 ]] || fail "after 1000 typed, $field differs from the X11 window's in $diff pixels" \
      "(see wayland.png and x11.png)"
  done
  # The X11 reference itself shows the expected texts.
  WIN=$(xdotool search --onlyvisible --pid "$x11" | head -n 1)
  window_geometry
  [[ $(field_text edff) == 54.97 && $(field_text edeuro) == 8.38 ]] ||
    fail "the X11 reference does not show 54.97 and 8.38"
}

# drag_by X Y DX DY: a left drag from window point (X, Y) by (DX, DY).
drag_by() {
  local x=$((WX + $1)) y=$((WY + $2)) i
  xdotool mousemove $x $y
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  for ((i = 1; i <= 10; i++)); do
    xdotool mousemove $((x + $3 * i / 10)) $((y + $4 * i / 10))
    sleep 0.03
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}

# A left drag on the skin moves the window by the drag.
test_drag() {
  local x0 y0
  start_weston
  start_wayland_plinvor
  x0=$WX y0=$WY
  local dx=$((x0 > OUT_W / 2 ? -150 : 150)) dy=$((y0 > OUT_H / 2 ? -100 : 100))
  drag_by 20 180 $dx $dy
  wait_for 5 "the window to move by $dx,$dy from $x0,$y0" moved_to $((x0 + dx)) $((y0 + dy))
}
moved_to() {
  wayland_window || return 1
  SEEN="the window at $WX,$WY"
  [[ $WX == "$1" && $WY == "$2" ]]
}

# A press on a key-coloured pixel (180, 163), between two field frames,
# reaches the window beneath: weston-eventdemo, under Plinvor, logs it.
test_click_through() {
  start_weston
  # Line-buffered: its log is read while it runs.
  stdbuf -oL weston-eventdemo --log-button --width=$((OUT_W - 100)) --height=$((OUT_H - 100)) \
    >"$ARTIFACTS/eventdemo.log" 2>&1 &
  local demo=$!
  started+=("$demo")
  local view=
  wait_for 10 "weston-eventdemo's window" eval 'view=$(scene_view '"$demo"' xdg_toplevel); [[ -n $view ]]'
  local DX DY DW DH
  read -r DX DY DW DH <<<"$view"
  start_wayland_plinvor
  # Bring the key-coloured point over the middle of eventdemo's window.
  local tx=$((DX + DW / 2)) ty=$((DY + DH / 2))
  drag_by 20 180 $((tx - (WX + 180))) $((ty - (WY + 163)))
  wayland_window
  local px=$((WX + 180)) py=$((WY + 163))
  ((px > DX + 20 && px < DX + DW - 20 && py > DY + 40 && py < DY + DH - 20)) ||
    fail "could not bring the key-coloured point ($px,$py) over eventdemo at $view"
  : >"$ARTIFACTS/eventdemo.log"
  xdotool mousemove $px $py
  sleep 0.3
  xdotool click 1
  wait_for 5 "eventdemo to log the press" grep -q 'button' "$ARTIFACTS/eventdemo.log"
  window_shot click_through
  wayland_window
  ((WX == px - 180 && WY == py - 163)) || fail "the press through the window moved it"
}

# ROUNDS closes under load: the program shares one CPU with a busy loop, and
# each run must end with 0 within 3 s, by the close hotspot or by SIGTERM.
readonly ROUNDS=20
test_close_under_load() { # hotspot|sigterm
  local way=$1 i busy
  start_weston
  taskset -c 0 sh -c 'while :; do :; done' &
  busy=$!
  started+=("$busy")
  for ((i = 1; i <= ROUNDS; i++)); do
    start_wayland_plinvor taskset -c 0
    if [[ $way == hotspot ]]; then
      xdotool mousemove $((WX + 340)) $((WY + 80))
      sleep 0.2
      xdotool click 1
    else
      sleep 0.3
      kill -TERM "$PLINVOR_PID"
    fi
    wait_for 3 "run $i of $ROUNDS to end after the $way" ended "$PLINVOR_PID"
    EXIT_CODE=0
    wait "$PLINVOR_PID" || EXIT_CODE=$?
    ((EXIT_CODE == 0)) || fail "run $i of $ROUNDS: the $way ended the program with $EXIT_CODE"
  done
  echo "$ROUNDS of $ROUNDS runs ended with 0 after the $way"
}

# No display to open: one line on standard error that names what was tried,
# exit code 1, no crash report.
test_no_display() {
  local setting out code
  for setting in "" "DISPLAY=:99" "WAYLAND_DISPLAY=nothing-here DISPLAY=:98" "QT_QPA_PLATFORM=wayland"; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $setting "$PLINVOR" 2>&1 </dev/null) && code=0 || code=$?
    ((code == 1)) || fail "with «$setting» the program ended with $code: $out"
    [[ $(wc -l <<<"$out") == 1 && $out == "Plinvor: cannot open a display: tried "* ]] ||
      fail "with «$setting» the program said: $out"
  done
  [[ -z $(find "$XDG_STATE_HOME" -name 'crash-*' 2>/dev/null) ]] || fail "a crash report was written"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=nothing-here DISPLAY=:98 "$PLINVOR" 2>&1) || true
  [[ $out == *"wayland (WAYLAND_DISPLAY=nothing-here), then xcb (DISPLAY=:98)"* ]] ||
    fail "the error line does not name both displays: $out"
}

case $CASE in
  platform)          test_platform ;;
  look)              test_look ;;
  convert)           test_convert ;;
  drag)              test_drag ;;
  click_through)     test_click_through ;;
  close.hotspot)     test_close_under_load hotspot ;;
  close.sigterm)     test_close_under_load sigterm ;;
  no_display)        test_no_display ;;
  *) echo "unknown case: $CASE" >&2; exit 2 ;;
esac
echo "PASS: $CASE"
