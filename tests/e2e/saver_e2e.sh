#!/usr/bin/env bash
# End-to-end cases of the saver windows: saver_e2e.sh CASE SPIRANDEL TEST_HOST
# Each case starts its own Xvfb on a display of its own, so cases can run in parallel.
# Every wait is bounded and waits for what it needs; a case fails saying what it saw.
set -uo pipefail
CASE=$1 SAVER=$2 HOST=$3
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
LOGS=("$WORK/err" "$WORK/xvfb.log" "$WORK/xephyr.log")
BASE_SETTINGS=('"ImagesPerSec"=dword:00000064') # drawing fast, so that cases stay short

capture() { import -window "${2:-root}" "$1" 2>/dev/null || fail "cannot capture ${2:-root}"; }
max_value() { convert "$1" "${@:2}" -format '%[max]' info:; }

# drawn [WINDOW]: something other than black, and none of the test host's grey, in WINDOW.
drawn() {
  ended && fail "ended before drawing"
  capture "$WORK/drawn.png" "${1:-root}"
  [ "$(max_value "$WORK/drawn.png")" != 0 ] &&
    [ "$(max_value "$WORK/drawn.png" -alpha off -fill black +opaque '#808080')" = 0 ]
}

wait_drawn() { wait_for drawn "$@" || fail "nothing drawn in ${1:-root}"; }

start_full_screen() { start_saver /s && wait_drawn; }
# start_paused SHOT [LINE...]: full screen, with P to pause and SHOT for screenshots, paused.
start_paused() {
  hotkeys P "$@" && start_full_screen && xdotool key p
  wait_for stable_for 0.2 || fail "the picture kept changing after the pause key"
}

start_host() { # start_host W H: sets HOST_HEX and HOST_DEC
  hold "$HOST" "$1" "$2" >"$WORK/host"
  wait_for test -s "$WORK/host" || fail "test host did not start"
  read -r HOST_HEX HOST_DEC <"$WORK/host"
}

window_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
first_child() { xwininfo -children -id "$1" | awk '/^ +0x[0-9a-f]+/{print $1; exit}'; }

# Each of these closes the saver, hotkeys or not; the wheel and the side buttons do not.
case_buttons_and_keys_close() {
  hotkeys P Y
  for input in "click 1" "click 2" "click 3" "key a" "key space" "key Escape" "key KP_5" \
    "key Shift_L" "key alt+p" "key F10" "key alt+y"; do
    start_full_screen
    [ "$input" = "click 1" ] && { xdotool click 4 click 5 click 6 click 7 click 8 click 9; expect_running "the wheel or a side button" 0.5; }
    # shellcheck disable=SC2086
    xdotool $input
    expect_exit 0 "$input"
  done
}

case_pause_hotkey_stops_and_resumes() {
  # No completion delay, so the picture changes at every tick unless paused.
  start_paused Y '"EndDelay"=dword:00000000'
  stable_for 0.7 || fail "the picture changed while paused"
  xdotool key p
  wait_for eval '! stable_for 0.1' || fail "the picture did not change after resuming"
  xdotool key q
  expect_exit 0 "the key q"
}

# Two monitors side by side, neither marked primary: the figure goes on the left one, at the
# origin, and the right one turns black (the grey host window there disappears); a screenshot
# holds the left one's drawing area alone, as the screen shows it, and a move on the right one
# ends the saver.
case_two_monitors_and_screenshot() {
  xrandr --setmonitor LEFT 800/211x600/158+0+0 screen >/dev/null &&
    xrandr --setmonitor RIGHT 800/211x600/158+800+0 none >/dev/null || fail "cannot set up two monitors"
  start_host 200 200
  xdotool windowmove "$HOST_HEX" 1100 100
  # Paused, so that the capture to compare with shows the same picture.
  start_paused S
  capture "$WORK/screen.png"
  [ "$(max_value "$WORK/screen.png" -crop 800x600+800+0)" = 0 ] || fail "the right monitor is not black"
  xdotool key s
  wait_for test -s "$SHOT" || fail "no screenshot file"
  convert "$WORK/screen.png" -crop 798x598+0+0 +repage "$WORK/area.png"
  same_pictures "$SHOT" "$WORK/area.png" ||
    fail "the $(identify -format '%wx%h' "$SHOT") screenshot differs from the 798x598 drawing area"
  grep -q '"SequenceNo"=dword:00000001' "$XDG_CONFIG_HOME/tallowyn/spir_ss/Settings.reg" ||
    fail "SequenceNo 1 not stored"
  expect_running "the screenshot" 0.3
  xdotool mousemove 1200 300
  expect_exit 0 "a move on the right monitor"
}

# Two Xinerama heads of different sizes, 800x600 and 640x480 to its right, that RandR sees as
# one monitor (Xephyr inside Xvfb): the figure is on the first head, the second is black, and
# the screen's corner below the smaller head, which no head shows, keeps the root's colour.
heads_covered() {
  capture "$WORK/heads.png"
  [ "$(max_value "$WORK/heads.png" -crop 800x600+0+0 -fill black +opaque '#123456')" = 0 ] &&
    [ "$(max_value "$WORK/heads.png" -crop 800x600+0+0)" != 0 ] &&
    [ "$(max_value "$WORK/heads.png" -crop 640x480+800+0)" = 0 ] &&
    [ "$(max_value "$WORK/heads.png" -crop 640x120+800+480 -fill black -opaque '#123456')" = 0 ]
}
case_xinerama_heads() {
  start_server xephyr Xephyr -noreset -screen 800x600x24 -screen 640x480x24 +xinerama
  xsetroot -solid '#123456'
  start_saver /s
  wait_for heads_covered || fail "not the figure on the first head, the second black and the corner untouched"
  xdotool key q
  expect_exit 0 "the key q"
}

# layout_case LAYOUT PAUSE SHOT PAUSE_KEYCODE SHOT_KEYCODE OTHER_KEYCODE: after a switch to
# the layout while the saver runs, the keys (by position) pause and take a screenshot, as a
# Windows layout names them; another letter key ends the saver.
layout_case() {
  hotkeys "$2" "$3"
  start_full_screen
  setxkbmap "$1" || fail "setxkbmap $1"
  xdotool key "$4"
  expect_running "the key of the pause hotkey $2" 0.3
  xdotool key "$5"
  wait_for test -s "$SHOT" || fail "no screenshot from the key of $3"
  xdotool key "$6"
  expect_exit 0 "another letter key"
}
# French AZERTY: A where US has Q, the 1 on the & key; the US A key gives Q.
case_layout_fr() { layout_case fr 1 A 10 24 38; }
# German QWERTZ: Y and Z swap places.
case_layout_de() { layout_case de Z 2 29 11 52; }
# Russian: no Latin letters, so letters by their US position.
case_layout_ru() { layout_case ru 3 A 12 38 39; }

case_preview_follows_host_and_ends_with_it() {
  start_host 300 200
  start_saver /p "$HOST_DEC"
  wait_drawn "$HOST_HEX"
  local child
  child=$(first_child "$HOST_HEX")
  [ -n "$child" ] || fail "no child window in the host"
  [ "$(window_size "$child")" = 300x200 ] || fail "child is $(window_size "$child"), host 300x200"
  xdotool windowsize "$HOST_HEX" 420 260
  wait_for eval '[ "$(window_size "$child")" = 420x260 ]' || fail "child is $(window_size "$child") after resize"
  wait_drawn "$HOST_HEX"
  xdotool windowkill "$HOST_HEX"
  expect_exit 0 "the host destroyed its window"
  [ ! -s "$WORK/err" ] || fail "preview wrote to stderr"
}

# A window id that names no window: one line on stderr for the host's log, exit code 0. No
# usable display: one line, exit code 1.
case_missing_window_or_display_says_so() {
  local code lines env args w=XSCREENSAVER_WINDOW=0x7ffff1
  # CODE LINES ENVIRONMENT ARGUMENTS: without a preview handle the program ends quietly, as before.
  for row in "0 1 $w /p 12345" "0 1 $w /p 99999999999" "0 1 $w --window-id 0x7ffff0" \
    "0 1 $w --root" "0 0 $w /p" "0 0 $w /p window" "1 1 DISPLAY= /s" "1 1 DISPLAY=:4095 /s"; do
    read -r code lines env args <<<"$row"
    LAUNCH=(env "$env")
    # shellcheck disable=SC2086
    start_saver $args
    expect_exit "$code" "$row"
    [ "$(wc -l <"$WORK/err")" = "$lines" ] && [ ! -s "$WORK/out" ] || fail "'$row' on stderr: $(cat "$WORK/err")"
  done
}

# The window id wins over the host's environment (XScreenSaver and xsecurelock, whose tests
# use it, name their window there).
case_window_id_draws_into_that_window() {
  # One point a second, so that the cleared window of a fresh figure can be seen.
  write_settings '"ImagesPerSec"=dword:00000001'
  start_host 320 240
  capture "$WORK/root-before.png"
  XSCREENSAVER_WINDOW=0x1 start_saver --root --window-id "$HOST_DEC"
  wait_drawn "$HOST_HEX"
  [ -z "$(first_child "$HOST_HEX")" ] || fail "drew in a child instead of the host window"
  # xsecurelock's reset: a fresh figure in a cleared window.
  kill -USR1 "$SAVER_PID"
  wait_for eval 'capture "$WORK/c.png" "$HOST_HEX"; [ "$(max_value "$WORK/c.png")" = 0 ]' ||
    fail "SIGUSR1 did not clear the window"
  wait_drawn "$HOST_HEX"
  kill -INT "$SAVER_PID"
  expect_exit 130 "SIGINT"
  # Outside the host window the screen is as it was.
  capture "$WORK/root-after.png"
  convert "$WORK/root-before.png" "$WORK/root-after.png" -crop 300x200+330+250 +repage "$WORK/outside-%d.png"
  same_pictures "$WORK/outside-0.png" "$WORK/outside-1.png" || fail "drew outside the host window"
}

# The window that had the focus has it again after a key and after SIGTERM, which ends the
# process by the signal, so that hosts log a normal stop, with no window left behind. Another
# window taking the focus is another window becoming active: that ends the saver too.
case_focus_returns_after_key_sigterm_or_focus_loss() {
  start_host 100 100
  # HOW|CODE
  for stop in 'xdotool key a|0' 'kill -TERM "$SAVER_PID"|143' 'xdotool windowfocus "$HOST_HEX"|0'; do
    xdotool windowfocus --sync "$HOST_HEX"
    start_full_screen
    eval "${stop%|*}"
    expect_exit "${stop#*|}" "${stop%|*}"
    wait_for eval '[ "$(xdotool getwindowfocus)" = "$HOST_DEC" ]' || fail "the focus did not return after $stop"
  done
  [ -z "$(xdotool search --name '^Spirandel$' 2>/dev/null)" ] || fail "window left behind"
}

case_lost_connection_ends_cleanly() {
  start_full_screen
  kill -TERM "${PIDS[0]}"
  expect_exit 0 "the server went away"
}

# The picture checks above fail on a screen that shows nothing, or the test host's grey alone.
case_picture_checks_fail_on_blank() {
  blank_captures "black:drawn" "#808080:drawn" "black:heads_covered" "black,white:stable_for 0"
}

# Every case on an Xvfb of its own, 640x480 unless named here, with a settings file of the
# defaults until the case writes its own.
declare -A screen=([two_monitors_and_screenshot]=1600x600 [xinerama_heads]=1440x600)
start_server xvfb Xvfb -noreset -screen 0 "${screen[$CASE]:-640x480}x24" && write_settings
"case_$CASE"
echo "PASS ($CASE)"
