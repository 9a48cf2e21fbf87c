#!/usr/bin/env bash
# End-to-end tests of the Windows screen saver under Wine, driven with xdotool on the X display
# in $DISPLAY (scripts/stages/40-windows.sh runs them inside xvfb-run).
# Usage: tests/platform/win32/e2e.sh <build folder of the x86_64 build>
set -uo pipefail

build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../../.." && pwd)
wine_run=$root/scripts/wine-run
saver=$build/spirandel.scr
export WINEPREFIX=${WINEPREFIX:-$build/wine-prefix}
export WINEDEBUG=-all
settings='HKCU\software\tallowyn\spir_ss\Settings'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

reg_set() { "$wine_run" reg add "$settings" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }
reg_reset() { "$wine_run" reg delete 'HKCU\software\tallowyn' /f >/dev/null 2>&1 || true; }
# The data column of one value ("0x1", "P"), empty when the value is absent.
reg_get() {
  "$wine_run" reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

saver_pid=
saver_window=
start_saver() {
  # Let the X server and Wine settle after the previous saver's window went away, so that no
  # late focus change reaches the new one as a loss of activation.
  sleep 1
  "$wine_run" "$saver" "$@" >/dev/null 2>&1 &
  saver_pid=$!
  # The saver's own window is the one of its class that is bigger than Wine's 1x1 helpers.
  for _ in $(seq 1 100); do
    for id in $(xdotool search --onlyvisible --class spirandel.scr 2>/dev/null); do
      if [ "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ { print $2 }')" != "1x1" ]; then
        saver_window=$id
        return 0
      fi
    done
    sleep 0.2
  done
  return 1
}
running() { kill -0 "$saver_pid" 2>/dev/null; }
# Waits up to $1 seconds for the saver to end; true when it ended with exit code 0.
ended_within() {
  for _ in $(seq 1 $(($1 * 10))); do
    if ! running; then
      wait "$saver_pid"
      return $?
    fi
    sleep 0.1
  done
  return 1
}
stop_saver() {
  if running; then
    kill "$saver_pid" 2>/dev/null
    wait "$saver_pid" 2>/dev/null
  fi
}
shot() { import -window root "$work/$1.png"; }
# Number of pixels that differ between two screen shots.
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
drawn() { [ "$(identify -format '%[max]' "$work/$1.png")" != "0" ]; }
# Waits until the saver has drawn something, so that it runs and has the keyboard.
wait_until_drawn() {
  for _ in $(seq 1 20); do
    shot first
    if drawn first; then
      # Without a window manager nobody hands the new window the keyboard; Wine drops key
      # presses that arrive before its window has had the X input focus.
      xdotool windowfocus --sync "$saver_window" 2>/dev/null
      sleep 0.3
      running || echo "note: the saver ended before any input was sent"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

echo "== unknown switch ends at once"
reg_reset
start=$(date +%s)
if timeout 30 "$wine_run" "$saver" /a >/dev/null 2>&1; then
  pass "/a ended with 0 after $(($(date +%s) - start)) s"
else
  fail "/a did not end cleanly"
fi
if [ -n "$(reg_get ImagesPerSec)" ] || "$wine_run" reg query "$settings" >/dev/null 2>&1; then
  pass "the settings key exists after an unknown switch"
else
  fail "the settings key was not created"
fi

for args in "/p" "/p 12345" "/p x" "-x"; do
  # shellcheck disable=SC2086
  if timeout 30 "$wine_run" "$saver" $args >/dev/null 2>&1; then
    pass "\"$args\" (no window to draw in, or no mode) ends at once with 0"
  else
    fail "\"$args\" did not end cleanly"
  fi
done

echo "== full screen draws and a key closes it"
reg_reset
xdotool mousemove 200 200
if start_saver /s && wait_until_drawn; then
  sleep 1
  shot drawing
  if drawn drawing; then pass "/s draws"; else fail "/s drew nothing"; fi
  xdotool key x
  if ended_within 10; then pass "a key closed the saver"; else fail "a key did not close it"; fi
else
  fail "/s showed no window"
fi
stop_saver

echo "== a one-pixel move closes it, the first move only records the position"
xdotool mousemove 300 300
if start_saver /s && wait_until_drawn; then
  xdotool mousemove 300 300
  sleep 1
  if running; then pass "staying at the first position keeps it running"; else fail "closed without a move"; fi
  xdotool mousemove 301 300
  if ended_within 10; then pass "a one-pixel move closed it"; else fail "a one-pixel move did not close it"; fi
else
  fail "/s showed no window"
fi
stop_saver

echo "== the pause hotkey holds the picture"
reg_reset
reg_set PausingActive REG_DWORD 1
reg_set PausingKay REG_SZ P
# No completion delay and a quick pace: a running saver changes the picture all the time.
reg_set EndDelay REG_DWORD 0
reg_set ImagesPerSec REG_DWORD 100
if start_saver /s && wait_until_drawn; then
  # A still second means paused: at this pace and without a completion delay a running saver
  # changes the picture all the time. On a busy machine Wine can hand a key to the window
  # seconds late, so the key is sent once and the picture given time to stand still; sending
  # it again would toggle the pause twice when the first one arrives after all.
  # Wine can also stall a busy saver for a second, so paused means two still seconds in a row.
  settled=
  changes=
  xdotool key p
  shot paused1
  still=0
  for _ in $(seq 1 12); do
    sleep 1
    shot paused2
    changes="$changes $(differing paused1 paused2)"
    if [ "$(differing paused1 paused2)" = "0" ]; then
      still=$((still + 1))
    else
      still=0
    fi
    cp "$work/paused2.png" "$work/paused1.png"
    if [ "$still" -ge 2 ]; then settled=1 && break; fi
  done
  shot paused3
  # An expose while paused erases the window to black and nothing redraws it: that is the
  # saver's rule for uncovered parts, not drawing.
  if [ -n "$settled" ] && running &&
    { [ "$(differing paused2 paused3)" = "0" ] || ! drawn paused3; }; then
    pass "paused: the picture stands still"
  else
    fail "paused: the picture kept changing (pixels changed per second:$changes) or the saver ended"
  fi
  xdotool key p
  resumed=
  for _ in $(seq 1 10); do
    sleep 1
    shot resumed
    if [ "$(differing paused3 resumed)" != "0" ]; then resumed=1 && break; fi
  done
  if [ -n "$resumed" ]; then pass "P again resumes drawing"; else fail "P did not resume"; fi
  xdotool key x
  if ended_within 10; then pass "another key still closes it"; else fail "another key did not close it"; fi
else
  fail "/s showed no window or drew nothing"
fi
stop_saver

echo "== the screenshot hotkey writes a numbered BMP and stores the number"
reg_reset
mkdir -p "$WINEPREFIX/drive_c/shots"
rm -rf "$WINEPREFIX/drive_c/shots/"*
reg_set PrintingActive REG_DWORD 1
reg_set PrintingKey REG_SZ S
reg_set FileLocation REG_SZ 'C:\shots'
if start_saver /s && wait_until_drawn; then
  xdotool key s
  file="$WINEPREFIX/drive_c/shots/Spirandel 00001.bmp"
  for _ in $(seq 1 20); do
    [ -f "$file" ] && break
    sleep 0.5
  done
  sleep 1
  if running; then pass "the saver carries on after a screenshot"; else fail "the screenshot key closed it"; fi
  if [ -f "$file" ]; then
    size=$(identify -format '%wx%h' "$file")
    screen=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
    want="$((${screen%x*} - 2))x$((${screen#*x} - 2))"
    if [ "$size" = "$want" ]; then pass "Spirandel 00001.bmp is $size"; else fail "picture is $size, not $want"; fi
    convert "$file" "$work/file.png"
    if drawn file; then pass "the picture shows the figure"; else fail "the picture is black"; fi
  else
    fail "no Spirandel 00001.bmp in C:\\shots ($(ls "$WINEPREFIX/drive_c/shots"))"
  fi
  if [ "$(reg_get SequenceNo)" = "0x1" ]; then pass "SequenceNo is 1"; else fail "SequenceNo is '$(reg_get SequenceNo)'"; fi
  xdotool key x
  ended_within 10 || fail "the saver did not close after the screenshot test"
else
  fail "/s showed no window"
fi
stop_saver

echo "== the preview draws inside its host window and ends with it"
reg_reset
if timeout 60 "$wine_run" "$build/spirandel-preview-host.exe" "$saver" 3; then
  pass "/p drew inside the host and ended when the host window went"
else
  fail "preview"
fi

# The settings sheet. Without a window manager Wine places the windows itself, always the same
# way, so buttons are clicked at their places relative to their window.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
wait_for_named() {  # name [how long to wait, in steps of 2 s: 10 by default]
  for _ in $(seq 1 $((${2:-10} * 10))); do
    [ -n "$(window_named "$1")" ] && return 0
    sleep 0.2
  done
  return 1
}
click_in() {  # window name, x, y within the window
  local id position
  id=$(window_named "$1")
  [ -n "$id" ] || return 1
  position=$(xdotool getwindowgeometry "$id" | awk '/Position/ { print $2 }')
  xdotool mousemove $((${position%,*} + $2)) $((${position#*,} + $3)) click 1
  sleep 0.5
}
sheet='Spirandel v2.0'
ok_button="295"  # y of OK and Cancel
click_ok() { click_in "$sheet" 208 "$ok_button"; }
click_cancel() { click_in "$sheet" 289 "$ok_button"; }
# Clicks the button that closes the sheet, once more if the first click came too early for a
# busy Wine to notice; true when the program then ends with 0.
close_with() {
  "$1"
  ended_within 8 && return 0
  running || return 1
  "$1"
  ended_within 8
}
click_hotkeys_tab() { click_in "$sheet" 276 16; }
values_stored() {
  "$wine_run" reg query "$settings" 2>/dev/null | tr -d '\r' | grep -c 'REG_'
}
start_sheet() {
  "$wine_run" "$saver" "$@" >/dev/null 2>&1 &
  saver_pid=$!
  wait_for_named "$sheet" && sleep 1
}

echo "== /c shows the sheet; OK writes every value"
reg_reset
reg_set ImagesPerSec REG_DWORD 36
reg_set ObjectShape REG_DWORD $((1 | 2 | 256))
if start_sheet /c; then
  pass "the sheet is titled \"$sheet\""
  if close_with click_ok; then pass "OK closed the sheet and ended the program"; else fail "OK did not end it"; fi
  stored=$(values_stored)
  if [ "$stored" = "13" ] && [ -z "$(reg_get SequenceNo)" ]; then
    pass "OK wrote the 13 values, SequenceNo not among them"
  else
    fail "OK left $stored values ($("$wine_run" reg query "$settings" 2>&1 | tr -d '\r' | tr '\n' ' '))"
  fi
  [ "$(reg_get ImagesPerSec)" = "0x25" ] && pass "36 images per second written back as 37" ||
    fail "ImagesPerSec is $(reg_get ImagesPerSec)"
  [ "$(reg_get ObjectShape)" = "0x102" ] && pass "a shape bit without a box is dropped" ||
    fail "ObjectShape is $(reg_get ObjectShape)"
  [ "$(reg_get JoinTheDots)" = "0x2" ] && [ "$(reg_get RadiusFactor)" = "0x8" ] &&
    [ "$(reg_get PausingKay)" = "" ] && pass "unseen pages hand back what they received" ||
    fail "JoinTheDots $(reg_get JoinTheDots) RadiusFactor $(reg_get RadiusFactor)"
else
  fail "no window titled \"$sheet\""
fi
stop_saver

echo "== Cancel writes nothing"
reg_reset
if start_sheet /c; then
  if close_with click_cancel; then pass "Cancel ended the program"; else fail "Cancel did not end it"; fi
  [ "$(values_stored)" = "0" ] && pass "Cancel wrote no value" || fail "Cancel wrote $(values_stored) values"
else
  fail "no sheet"
fi
stop_saver

echo "== a bad number keeps the sheet open with the data-exchange message"
reg_reset
if start_sheet /c; then
  # The first box has the focus with its text selected: typing replaces it.
  xdotool type --delay 50 "12x"
  click_ok
  if wait_for_named spir_ss 4 || { click_ok && wait_for_named spir_ss 4; }; then
    pass "\"12x\" gives a message box captioned spir_ss"
    xdotool key Return
    sleep 1
  else
    fail "no message box for \"12x\""
  fi
  if running && [ -n "$(window_named "$sheet")" ]; then pass "the sheet stays open"; else fail "the sheet closed"; fi
  close_with click_cancel || fail "Cancel did not end it"
  [ "$(values_stored)" = "0" ] && pass "nothing written" || fail "$(values_stored) values written"
else
  fail "no sheet"
fi
stop_saver

echo "== two active hotkeys on one key are refused"
reg_reset
reg_set PausingActive REG_DWORD 1
reg_set PrintingActive REG_DWORD 1
reg_set PausingKay REG_SZ P
reg_set PrintingKey REG_SZ P
if start_sheet /c; then
  click_hotkeys_tab
  click_ok
  if wait_for_named Error 4 || { click_ok && wait_for_named Error 4; }; then
    pass "\"Active hotkeys must be unique ...\" shown under \"Error\""
    xdotool key Return
    sleep 1
  else
    fail "no Error message for equal hotkeys"
  fi
  close_with click_cancel || fail "Cancel did not end it"
  [ "$(values_stored)" = "4" ] && pass "nothing written" || fail "$(values_stored) values stored"
else
  fail "no sheet"
fi
stop_saver

echo "== Browse returns the folder the chooser shows"
reg_reset
mkdir -p "$WINEPREFIX/drive_c/shots/sub"
reg_set FileLocation REG_SZ 'C:\shots\sub'
if start_sheet /c; then
  click_hotkeys_tab
  click_in "$sheet" 276 238  # Browse
  if wait_for_named "Choose folder"; then
    pass "Browse opens \"Choose folder\""
    sleep 1
    click_in "Choose folder" 340 15  # up one level, to C:\shots
    sleep 1
    click_in "Choose folder" 419 307  # Select
    sleep 3
  else
    fail "no \"Choose folder\" window"
  fi
  close_with click_ok || fail "OK did not end it"
  [ "$(reg_get FileLocation)" = 'C:\shots' ] && pass "FileLocation is the folder shown: C:\\shots" ||
    fail "FileLocation is '$(reg_get FileLocation)'"
else
  fail "no sheet"
fi
stop_saver

echo
if [ "$failures" -ne 0 ]; then
  echo "$failures Windows end-to-end check(s) failed"
  exit 1
fi
echo "all Windows end-to-end checks passed"
