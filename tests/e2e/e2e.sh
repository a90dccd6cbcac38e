#!/usr/bin/env bash
# e2e.sh CASE PLINVOR SKIN_BMP ARTIFACT_DIR
#
# One end-to-end test of the Plinvor window, named by CASE (see the table at
# the end): on a private X server it starts the executable PLINVOR, uses it
# with the keyboard and the mouse as a person would and checks what that
# person would see. SKIN_BMP is the skin picture the window must show; logs
# and screenshots go to ARTIFACT_DIR.
set -euo pipefail
CASE=$1 PLINVOR=$2 SKIN_BMP=$3 ARTIFACTS=$4
source "$(dirname "$0")/lib.sh"

# Typing 1000 without a click first lands in the CFP field, which has the
# focus from the start, and the two other fields show its conversion with the
# locale's decimal separator.
test_convert() { # LOCALE FF EURO
  local want=(1000 "$2" "$3") got=() field
  start_x
  start_plinvor LANG="$1" LC_ALL="$1"
  wait_for_focus
  xdotool key --delay 80 1 0 0 0
  for field in edcfp edff edeuro; do got+=("$(field_text $field)"); done
  screenshot fields
  [[ ${got[*]} == "${want[*]}" ]] ||
    fail "typed 1000 under $1: edcfp, edff, edeuro show «${got[0]}» «${got[1]}» «${got[2]}»," \
         "expected «${want[0]}» «${want[1]}» «${want[2]}»"
}

# Tab walks edcfp -> edff -> edeuro -> edcfp and Shift+Tab walks back. Tab
# selects the whole text of the field it enters, so Ctrl+C then copies that
# field's text; after 100 is typed in CFP the three texts tell the fields apart
# (every key-up converts again from the focused field, so the amounts in the
# others may move by a cent: 5.50 French francs may come back as 5.51).
test_tab_order() {
  local step key want
  start_x
  start_plinvor
  wait_for_focus
  xdotool key --delay 80 1 0 0
  for step in Tab:edff Tab:edeuro Tab:edcfp shift+Tab:edeuro shift+Tab:edff shift+Tab:edcfp; do
    key=${step%%:*} want=${step#*:}
    xdotool key --delay 80 "$key" ctrl+c
    wait_for 3 "$key to reach $want" copied_from "$want"
  done
}
copied_from() {
  local text field
  text=$(xclip -o -selection clipboard 2>/dev/null) || text=
  case $text in
    100) field=edcfp ;;
    5.5[0-9]) field=edff ;;
    0.8[0-9]) field=edeuro ;;
    *) field='no field' ;;
  esac
  SEEN="Ctrl+C copied «$text», the text of $field"
  [[ $field == "$1" ]]
}

# A press on a key-coloured pixel, (180, 163) in the gap between the first two
# frames, goes to the window beneath, and the window does not move; a press
# on the opaque skin does not reach the window beneath.
test_click_through() {
  local log=$ARTIFACTS/beneath.log x0 y0
  start_x
  xev -geometry 600x450+400+120 -event button >"$log" 2>&1 &
  started+=($!)
  wait_for 5 "the window beneath to be mapped" window_named 'Event Tester'
  start_plinvor
  x0=$WX y0=$WY
  click_at 20 180
  sleep 0.3
  ! grep -q ButtonPress "$log" || fail "a press on the opaque skin at (20, 180) reached the window beneath"
  click_at 180 163
  wait_for 3 "the press at (180, 163) to reach the window beneath" \
    grep -q "root:($((x0 + 180)),$((y0 + 163)))" "$log"
  window_at "$x0" "$y0" || fail "the press at (180, 163) moved the window from $x0,$y0 to $WX,$WY"
}

# A left press on the skin, the close disc's rim outside the hotspot included,
# moves the window with the pointer until the release; a right press does not.
test_drag() { # WINDOW_MANAGER(none|openbox) BUTTON X Y: drags by (+100, +60) from (X, Y)
  local x0 y0
  start_x
  [[ $1 == none ]] || start_openbox
  start_plinvor
  x0=$WX y0=$WY
  press_at "$3" "$4" "$2"
  sleep 0.1
  glide_to $(($3 + 100)) $(($4 + 60))
  release "$2"
  if (($2 == 1)); then
    wait_for 3 "a drag by (+100, +60) from $x0,$y0 to move the window to $((x0 + 100)),$((y0 + 60))" \
      window_at $((x0 + 100)) $((y0 + 60))
  else
    sleep 0.5
    window_at "$x0" "$y0" || fail "a drag with button $2 moved the window from $x0,$y0 to $WX,$WY"
  fi
}

# A press and release at (358, 80), inside the close hotspot, ends the program with 0.
test_hotspot_close() {
  start_x
  start_plinvor
  click_at 358 80
  wait_exit 5
  ((EXIT_CODE == 0)) || fail "closing by the hotspot gave exit code $EXIT_CODE"
}

# A press on the hotspot released outside it neither closes nor moves the window.
test_hotspot_release_outside() {
  local x0 y0
  start_x
  start_plinvor
  x0=$WX y0=$WY
  press_at 340 80
  sleep 0.1
  glide_to 180 60
  release
  sleep 0.5
  ! ended "$PLINVOR_PID" || fail "a press on the hotspot released outside it ended the program"
  find_window || fail "a press on the hotspot released outside it unmapped the window"
  window_at "$x0" "$y0" || fail "a press on the hotspot released outside it moved the window from $x0,$y0 to $WX,$WY"
}

# Alt+F4 closes the window and ends the program with 0, with or without a window manager.
test_alt_f4() { # WINDOW_MANAGER: none or openbox
  start_x
  [[ $1 == none ]] || start_openbox
  start_plinvor
  wait_for_focus
  xdotool key alt+F4
  wait_exit 5
  ((EXIT_CODE == 0)) || fail "Alt+F4 gave exit code $EXIT_CODE"
}

# The window opens at 465,178, 361 x 328 screen pixels; wherever its skin is
# key-coloured the screen shows the desktop beneath, and no pixel in its
# rectangle is pure red. The arguments go to the program's environment.
test_screenshot() {
  local window=$ARTIFACTS/window.png
  start_x
  start_plinvor "$@"
  window_geometry
  [[ "$WX,$WY ${WW}x$WH" == "$WIN_X,$WIN_Y ${WIN_W}x$WIN_H" ]] ||
    fail "the window is at $WX,$WY, ${WW}x$WH; expected $WIN_X,$WIN_Y, ${WIN_W}x$WIN_H"
  screenshot screen
  convert "$ARTIFACTS/screen.png" -crop "${WIN_W}x$WIN_H+$WX+$WY" +repage "$window"
  check_see_through "$window"
}
# 10 MB on the clipboard: Ctrl+V, Ctrl+V held down (auto-repeat), and the
# same text as the X selection pasted with the middle button, into the CFP
# field that holds 12: each is refused whole, the field still shows 12 and
# the others its conversion, the program lives on and stays under 100 MB.
test_huge_paste() {
  local got peak
  start_x
  start_plinvor
  wait_for_focus
  xdotool key --delay 80 1 2
  head -c 10000000 /dev/zero | tr '\0' '7' >"$TMP/clip"
  xclip -selection clipboard -i "$TMP/clip" 2>/dev/null
  xdotool key ctrl+v
  xdotool keydown ctrl keydown v
  sleep 3
  xdotool keyup v keyup ctrl
  xclip -selection primary -i "$TMP/clip" 2>/dev/null
  xdotool mousemove --sync $((WX + 270)) $((WY + FIELD_TOP[edcfp] + 10)) click 2
  got="$(field_text edcfp) $(field_text edff) $(field_text edeuro)"
  ! ended "$PLINVOR_PID" || fail "Plinvor ended during the pastes"
  [[ $got == "12 0.66 0.10" ]] || fail "after the pastes the fields show «$got», expected «12 0.66 0.10»"
  peak=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$PLINVOR_PID/status")
  ((peak < 100)) || fail "Plinvor's peak memory reached $peak MB"
}

# Through the real accessibility bus a screen reader finds the three fields
# under their currency names with their texts as they change, the focus where
# it is (and a focus event naming the field that Tab enters), and the close
# hotspot as the push button "Quitter", whose press action ends the program
# with 0. See accessibility.py.
test_accessibility() {
  start_x
  start_accessibility_bus
  start_plinvor QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  wait_for_focus
  # Debian's interpreter: pyatspi and gi are its packages.
  /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$PLINVOR_PID" || fail "the accessibility checks failed (above)"
  wait_exit 5
  ((EXIT_CODE == 0)) || fail "the Press action of «Quitter» gave exit code $EXIT_CODE"
}

window_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null; }


case $CASE in
  convert.en_US)            test_convert en_US.UTF-8 54.97 8.38 ;;
  convert.fr_FR)            test_convert fr_FR.UTF-8 54,97 8,38 ;;
  tab_order)                test_tab_order ;;
  click_through)            test_click_through ;;
  drag.nowm)                test_drag none 1 20 180 ;;
  drag.openbox)             test_drag openbox 1 20 180 ;;
  drag.close_rim)           test_drag none 1 359 80 ;;
  drag.right_button)        test_drag none 3 20 180 ;;
  hotspot.close)            test_hotspot_close ;;
  hotspot.release_outside)  test_hotspot_release_outside ;;
  alt_f4.nowm)              test_alt_f4 none ;;
  alt_f4.openbox)           test_alt_f4 openbox ;;
  screenshot.plain)         test_screenshot ;;
  screenshot.scale_factor)  test_screenshot QT_SCALE_FACTOR=2 ;;
  screenshot.xft_dpi)       XRESOURCES='Xft.dpi: 192' test_screenshot ;;
  huge_paste)               test_huge_paste ;;
  accessibility)            test_accessibility ;;
  *) echo "unknown case: $CASE" >&2; exit 2 ;;
esac
echo "PASS: $CASE"
