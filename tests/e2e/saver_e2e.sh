#!/usr/bin/env bash
# End-to-end cases of the saver windows: saver_e2e.sh CASE SPIRANDEL TEST_HOST
# Each case starts its own Xvfb on a display of its own, so cases can run in parallel.
# Every wait is bounded; a case fails with a message saying what it saw.
set -uo pipefail
CASE=$1
SAVER=$2
HOST=$3
WORK=$(mktemp -d)
PIDS=()

cleanup() {
  [ -n "${HOST_IN:-}" ] && exec {HOST_IN}>&- 2>/dev/null
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($CASE): $*" >&2
  [ -s "$WORK/err" ] && { echo "--- saver stderr:" >&2; cat "$WORK/err" >&2; }
  if [ -n "${XVFB_PID:-}" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then
    echo "--- the X server has ended:" >&2
    cat "$WORK/xvfb.log" >&2
  fi
  exit 1
}

# Each case takes a random display number far above the usual ones: a number freed by a
# server that is still shutting down (its socket files go last) is never reused at once.
start_xvfb() {
  local attempt number
  for attempt in 1 2 3 4 5; do
    number=$((1000 + (RANDOM * 32768 + RANDOM) % 30000))
    # -noreset: the server would otherwise restart when the readiness probe disconnects,
    # refusing the next client for a moment.
    Xvfb ":$number" -screen 0 640x480x24 -nolisten tcp -noreset 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    PIDS+=("$XVFB_PID")
    export DISPLAY=":$number"
    for _ in $(seq 200); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    echo "Xvfb on :$number unusable (attempt $attempt), trying another display" >&2
  done
  fail "Xvfb did not start"
}

# write_settings LINE...: the settings file with these values, drawing fast so cases stay short.
write_settings() {
  mkdir -p "$WORK/cfg/tallowyn/spir_ss"
  {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n'
    printf '"ImagesPerSec"=dword:00000064\n'
    printf '%s\n' "$@"
  } >"$WORK/cfg/tallowyn/spir_ss/Settings.reg"
  export XDG_CONFIG_HOME="$WORK/cfg"
}

start_saver() {
  "$SAVER" "$@" >"$WORK/out" 2>"$WORK/err" &
  SAVER_PID=$!
  PIDS+=("$SAVER_PID")
}

# wait_exit PID SECONDS: the exit code, or 124 when it still runs.
wait_exit() {
  local pid=$1 seconds=${2:-5}
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      return $?
    fi
    sleep 0.05
  done
  return 124
}

expect_exit() {
  local expected=$1 what=$2
  wait_exit "$SAVER_PID" 5
  local code=$?
  [ "$code" -eq 124 ] && fail "still running after $what"
  [ "$code" -eq "$expected" ] || fail "exit code $code after $what, expected $expected"
}

expect_running() {
  sleep "${2:-1}"
  kill -0 "$SAVER_PID" 2>/dev/null || fail "ended after $1"
}

capture() {  # capture FILE [WINDOW]
  import -window "${2:-root}" "$1" 2>/dev/null || fail "cannot capture ${2:-root}"
}

max_value() { convert "$1" -format '%[max]' info:; }

# The fraction of the picture in the test host's grey.
grey_fraction() {
  convert "$1" -alpha off -fill black +opaque '#808080' -fill white -opaque '#808080' \
    -format '%[fx:mean]' info:
}

differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# Waits until something other than black is drawn in WINDOW (default the root window).
wait_drawn() {
  for _ in $(seq 100); do
    capture "$WORK/drawn.png" "${1:-root}"
    [ "$(max_value "$WORK/drawn.png")" != 0 ] && [ "$(grey_fraction "$WORK/drawn.png")" = 0 ] && return 0
    if ! kill -0 "$SAVER_PID" 2>/dev/null; then
      wait "$SAVER_PID"
      fail "ended before drawing, exit code $?"
    fi
    sleep 0.05
  done
  fail "nothing drawn in ${1:-root}"
}

start_full_screen() {
  start_saver /s
  wait_drawn
}

start_host() {  # start_host W H: sets HOST_HEX and HOST_DEC
  coproc HOSTPROC { "$HOST" "$1" "$2"; }
  PIDS+=("$HOSTPROC_PID")
  HOST_IN=${HOSTPROC[1]}
  HOST_OUT=${HOSTPROC[0]}
  read -r -t 10 HOST_HEX HOST_DEC <&"$HOST_OUT" || fail "test host did not start"
}

host_command() {
  echo "$*" >&"$HOST_IN"
  local reply
  read -r -t 10 reply <&"$HOST_OUT" || fail "test host did not answer '$*'"
}

window_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }

first_child() { xwininfo -children -id "$1" | awk '/^ +0x[0-9a-f]+/{print $1; exit}'; }

pointer() { eval "$(xdotool getmouselocation --shell)"; }

case_move_closes() {
  start_xvfb
  write_settings
  start_full_screen
  pointer
  xdotool mousemove $((X + 1)) "$Y"
  expect_exit 0 "a one-pixel move"
}

case_same_position_keeps_running() {
  start_xvfb
  write_settings
  start_full_screen
  pointer
  xdotool mousemove "$X" "$Y"
  expect_running "a move to the same position"
  xdotool mousemove "$X" $((Y - 1))
  expect_exit 0 "a one-pixel move up"
}

case_each_button_closes() {
  start_xvfb
  write_settings
  for button in 1 2 3; do
    start_full_screen
    xdotool click "$button"
    expect_exit 0 "button $button"
  done
}

case_wheel_does_not_close() {
  start_xvfb
  write_settings
  start_full_screen
  for button in 4 5 6 7; do xdotool click "$button"; done
  expect_running "the wheel"
  xdotool key a
  expect_exit 0 "the key a"
}

case_key_closes() {
  start_xvfb
  write_settings '"PausingActive"=dword:00000001' '"PausingKay"="P"'
  for key in a space Escape KP_5 Shift_L; do
    start_full_screen
    xdotool key "$key"
    expect_exit 0 "the key $key"
  done
}

case_alt_key_closes_even_on_hotkey() {
  start_xvfb
  write_settings '"PausingActive"=dword:00000001' '"PausingKay"="P"' \
    '"PrintingActive"=dword:00000001' '"PrintingKey"="Y"'
  for key in alt+p F10 alt+y; do
    start_full_screen
    xdotool key "$key"
    expect_exit 0 "the system key $key"
  done
}

case_focus_loss_closes() {
  start_xvfb
  write_settings
  start_host 100 100
  start_full_screen
  expect_running "start" 0.2
  # Another window taking the keyboard focus is another window becoming active.
  xdotool windowfocus "$HOST_HEX"
  expect_exit 0 "the focus moved to another window"
}

case_pause_hotkey_stops_and_resumes() {
  start_xvfb
  # No completion delay, so the picture changes at every tick unless paused.
  write_settings '"PausingActive"=dword:00000001' '"PausingKay"="P"' '"EndDelay"=dword:00000000'
  start_full_screen
  xdotool key p
  local settled=no
  for _ in $(seq 20); do
    capture "$WORK/paused1.png"
    sleep 0.2
    capture "$WORK/paused2.png"
    if [ "$(differing_pixels "$WORK/paused1.png" "$WORK/paused2.png")" = 0 ]; then
      settled=yes
      break
    fi
  done
  [ "$settled" = yes ] || fail "the picture kept changing after the pause key"
  sleep 0.7
  capture "$WORK/paused3.png"
  [ "$(differing_pixels "$WORK/paused2.png" "$WORK/paused3.png")" = 0 ] ||
    fail "the picture changed while paused"
  xdotool key p
  local resumed=no
  for _ in $(seq 50); do
    capture "$WORK/resumed.png"
    if [ "$(differing_pixels "$WORK/paused3.png" "$WORK/resumed.png")" != 0 ]; then
      resumed=yes
      break
    fi
    sleep 0.1
  done
  [ "$resumed" = yes ] || fail "the picture did not change after resuming"
  expect_running "resuming" 0.1
  xdotool key q
  expect_exit 0 "the key q"
}

case_screenshot_hotkey_writes_bmp() {
  start_xvfb
  mkdir -p "$WORK/shots"
  write_settings '"PausingActive"=dword:00000001' '"PausingKay"="P"' \
    '"PrintingActive"=dword:00000001' '"PrintingKey"="S"' \
    '"SequenceNo"=dword:00000000' "\"FileLocation\"=\"$WORK/shots\""
  start_full_screen
  # Paused, so that the capture to compare with shows the same picture.
  xdotool key p
  sleep 0.3
  xdotool key s
  local shot="$WORK/shots/Spirandel 00001.bmp"
  for _ in $(seq 100); do
    [ -s "$shot" ] && break
    sleep 0.05
  done
  [ -s "$shot" ] || fail "no screenshot file"
  expect_running "the screenshot" 0.3
  capture "$WORK/screen.png"
  convert "$WORK/screen.png" -crop 638x478+0+0 +repage "$WORK/area.png"
  [ "$(identify -format '%wx%h' "$shot")" = 638x478 ] || fail "screenshot is $(identify -format '%wx%h' "$shot")"
  [ "$(differing_pixels "$shot" "$WORK/area.png")" = 0 ] || fail "screenshot differs from the screen"
  [ "$(max_value "$shot")" != 0 ] || fail "screenshot is black"
  grep -q '"SequenceNo"=dword:00000001' "$XDG_CONFIG_HOME/tallowyn/spir_ss/Settings.reg" ||
    fail "SequenceNo 1 not stored"
  xdotool key Escape
  expect_exit 0 "Escape"
}

case_preview_follows_host_and_ends_with_it() {
  start_xvfb
  write_settings
  start_host 300 200
  start_saver /p "$HOST_DEC"
  wait_drawn "$HOST_HEX"
  local child
  child=$(first_child "$HOST_HEX")
  [ -n "$child" ] || fail "no child window in the host"
  [ "$(window_size "$child")" = 300x200 ] || fail "child is $(window_size "$child"), host 300x200"
  host_command resize 420 260
  for _ in $(seq 100); do
    [ "$(window_size "$child")" = 420x260 ] && break
    sleep 0.05
  done
  [ "$(window_size "$child")" = 420x260 ] || fail "child is $(window_size "$child") after resize"
  sleep 0.3
  capture "$WORK/host.png" "$HOST_HEX"
  [ "$(grey_fraction "$WORK/host.png")" = 0 ] || fail "the host shows through after resize"
  host_command destroy
  expect_exit 0 "the host destroyed its window"
  [ ! -s "$WORK/err" ] || fail "preview wrote to stderr"
}

case_preview_of_missing_window_ends_quietly() {
  start_xvfb
  write_settings
  for args in "/p 12345" "/p 99999999999" "/p" "/p window" "--window-id 0x7ffff0" "--window-id"; do
    # shellcheck disable=SC2086
    start_saver $args
    expect_exit 0 "$args"
    [ ! -s "$WORK/err" ] && [ ! -s "$WORK/out" ] || fail "'$args' was not quiet"
  done
}

case_root_draws_into_xscreensaver_window() {
  start_xvfb
  write_settings
  start_host 320 240
  capture "$WORK/root-before.png"
  XSCREENSAVER_WINDOW=$HOST_HEX start_saver --root
  wait_drawn "$HOST_HEX"
  [ -z "$(first_child "$HOST_HEX")" ] || fail "drew in a child instead of the host window"
  kill -TERM "$SAVER_PID"
  expect_exit 0 "SIGTERM"
  # Outside the host window the screen is as it was.
  capture "$WORK/root-after.png"
  convert "$WORK/root-before.png" -crop 300x200+330+250 +repage "$WORK/a.png"
  convert "$WORK/root-after.png" -crop 300x200+330+250 +repage "$WORK/b.png"
  [ "$(differing_pixels "$WORK/a.png" "$WORK/b.png")" = 0 ] || fail "drew outside the host window"
}

case_window_id_draws_into_that_window() {
  start_xvfb
  write_settings
  start_host 200 150
  # Both words given: the window id wins over the host's environment. Hosts strip the
  # environment, so the settings are found through $HOME (every start creates their file).
  mkdir -p "$WORK/home"
  unset XDG_CONFIG_HOME
  HOME=$WORK/home XSCREENSAVER_WINDOW=0x1 start_saver --root --window-id "$HOST_DEC"
  wait_drawn "$HOST_HEX"
  [ -f "$WORK/home/.config/tallowyn/spir_ss/Settings.reg" ] ||
    fail "settings not looked for under \$HOME/.config"
  kill -INT "$SAVER_PID"
  expect_exit 0 "SIGINT"
}

case_sigterm_ends_cleanly() {
  start_xvfb
  write_settings
  start_full_screen
  kill -TERM "$SAVER_PID"
  expect_exit 0 "SIGTERM"
  [ -z "$(xdotool search --name '^Spirandel$' 2>/dev/null)" ] || fail "window left behind"
}

case_lost_connection_ends_cleanly() {
  start_xvfb
  write_settings
  start_full_screen
  kill -TERM "$XVFB_PID"
  expect_exit 0 "the server went away"
}

case_no_display_fails_with_message() {
  write_settings
  for display in "" ":4095"; do
    DISPLAY=$display start_saver /s
    expect_exit 1 "DISPLAY='$display'"
    [ "$(wc -l <"$WORK/err")" = 1 ] || fail "expected one line on stderr for DISPLAY='$display'"
  done
}

case_help_prints_usage() {
  start_saver --help
  expect_exit 0 "--help"
  grep -q '^Usage: spirandel' "$WORK/out" || fail "no usage text"
  grep -q -- '--window-id' "$WORK/out" || fail "usage text lacks --window-id"
}

"case_$CASE"
echo "PASS ($CASE)"
