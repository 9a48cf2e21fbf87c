#!/usr/bin/env bash
# The saver on Wayland, under a real headless sway (and Weston with two outputs for the fallback
# without the layer shell, cage nested in sway for a compositor that sends no wl_surface.enter):
# wayland_e2e.sh BUILD [CASE...]. Compositors refuse to run as root, so as root the cases run
# as an unprivileged user made for them. Every wait is bounded; a case fails saying what it
# saw, and the other cases still run.
set -uo pipefail
BUILD=$(cd "$1" && pwd)
shift
SAVER=$BUILD/spirandel
INPUT=$BUILD/tests/spirandel_wayland_input
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../../e2e/e2e_lib.sh"
LOGS=("$WORK/err" "$WORK/compositor.log")
as_unprivileged
as_user() {
  "${RUN_AS[@]}" env -u DISPLAY XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-1 \
    SWAYSOCK="$(ls "$WORK"/run/sway-ipc.*.sock 2>/dev/null)" XDG_CONFIG_HOME="$WORK/cfg" "$@"
}
LAUNCH=(as_user)
NESTED=""  # the socket of a compositor running inside sway, whose outputs captures show

# start_compositor NAME COMMAND...: run as the user in a fresh runtime folder, until its
# socket is there.
start_compositor() {
  rm -rf "$WORK/run" && install -d -m 700 ${OWNER:+-o $OWNER} "$WORK/run"
  hold "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WORK/run" "${@:2}" \
    >"$WORK/compositor.log" 2>&1
  COMPOSITOR_LAUNCH=$!
  wait_for test -S "$WORK/run/wayland-1" || fail "$1 did not start"
}

# start_sway "NAME WxH X Y SCALE"...: a headless sway with these outputs (it makes the first
# itself), the cursor hidden from captures.
start_sway() {
  {
    echo "seat seat0 hide_cursor 1"
    echo "xwayland disable" # cage needs Xwayland installed; sway here has no use for it
    # shellcheck disable=SC2048,SC2086 # each output's five words
    printf 'output %s resolution %s position %s %s scale %s\n' $*
    for _ in "${@:2}"; do echo "exec swaymsg create_output"; done
  } >"$WORK/sway.conf"
  start_compositor sway WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/sway.conf"
  wait_for eval "[ \$(as_user swaymsg -t get_outputs -r | grep -c '\"name\"') = $# ]" ||
    fail "sway did not make $# outputs"
}

# signal SIG: to the saver itself, not to runuser before it.
signal() { kill -"$1" "$(pgrep -n -u "${OWNER:-$(id -u)}" -x spirandel)"; }

# capture FILE [OUTPUT]: one output's pixels; with NESTED, all of that compositor's outputs.
capture() {
  local where=(-o "${2:-HEADLESS-1}")
  [ -z "$NESTED" ] || where=()
  as_user env ${NESTED:+WAYLAND_DISPLAY=$NESTED} grim "${where[@]}" - >"$1" ||
    fail "grim could not capture ${NESTED:-${2:-HEADLESS-1}}"
}
# is_black OUTPUT: nothing lit on that output.
is_black() { capture "$WORK/$1.png" "$1" && ! lit "$WORK/$1.png"; }
# all_white FILE: every pixel white, as swaylock shows by default.
all_white() { [ "$(convert "$1" -format '%[fx:minima.r*minima.g*minima.b]' info:)" = 1 ]; }

# pointer_in_sway OUTPUT...: sway with these outputs, the pointer near the first's corner, where
# the saver's surface will appear.
pointer_in_sway() { start_sway "$@" && start_input us && send "move 10 10"; }

case_outputs() {
  # The figure on the focused output (scale 2: its canvas has the output's pixels), black on
  # the other one and on one added while it runs, which may be turned off again; a motion over there
  # ends it.
  pointer_in_sway "HEADLESS-1 800x600 0 0 2" "HEADLESS-2 640x480 400 0 1"
  start_saver /s
  expect_running "its surfaces appeared under the pointer" 1.5
  capture "$WORK/figure.png"
  same_as_render "$WORK/figure.png" 800x600 || fail "the figure differs from the renderer's"
  is_black HEADLESS-2 || fail "the other output is not black"
  as_user swaymsg create_output >/dev/null
  sleep 0.5
  is_black HEADLESS-3 || fail "the added output is not black"
  as_user swaymsg output HEADLESS-3 disable >/dev/null || fail "sway could not turn an output off"
  expect_running "an output was added and removed" 0.3
  send "move 500 0"
  expect_exit 0 "a motion on the other output"
}

case_buttons() {
  # Left, middle and right end it; the side buttons and the wheel do not. Evdev codes:
  # BTN_LEFT 272, BTN_RIGHT 273, BTN_MIDDLE 274, BTN_SIDE 275, BTN_EXTRA 276.
  pointer_in_sway "HEADLESS-1 640x480 0 0 1"
  local button input
  for button in 274 272 273; do
    start_saver /s
    expect_running "its surface appeared under the pointer" 0.5
    if [ $button = 274 ]; then
      for input in "button 275" "button 276" "wheel 1" "wheel -1"; do
        send "$input"
        expect_running "$input" 0.2
      done
    fi
    send "button $button"
    expect_exit 0 "button $button"
  done
}

case_cage() {
  # cage, nested in sway with outputs of its own, configures the saver's toplevel but sends
  # no wl_surface.enter. The figure is there within a second all the same, and a key ends it.
  # cage offers no virtual keyboard: the key goes to sway's seat, whose focused window is one
  # of cage's. With one output the saver needs no enter, which shows the key gets through.
  start_sway "HEADLESS-1 800x600 0 0 1"
  start_input us
  local outputs NESTED=wayland-0
  for outputs in 1 2; do
    local -a LAUNCH=(as_user env WLR_BACKENDS=wayland WLR_WL_OUTPUTS="$outputs" WLR_RENDERER=pixman
      cage --)
    start_saver /s
    wait_for test -S "$WORK/run/$NESTED" || fail "cage did not start"
    WAIT_SECONDS=1 wait_for eval 'capture "$WORK/cage.png" && lit "$WORK/cage.png"' ||
      fail "cage with $outputs outputs: all stayed black for a second"
    send "key 30"
    expect_exit 0 "a key under cage with $outputs outputs"
  done
}

case_blank() {
  # Every picture check fails on a capture that shows nothing of what it looks for; the
  # comparison with the renderer also on a transparent one, as Weston's pixman captures are.
  STARTED=$(date +%s)
  local render="capture \$WORK/c.png && same_as_render \$WORK/c.png 800x600"
  blank_captures "white:is_black HEADLESS-2" "black:capture \$WORK/c.png && lit \$WORK/c.png" \
    "black:$render" "none:$render" "black,white:stable_for 0" \
    "black:capture \$WORK/c.png && all_white \$WORK/c.png"
}

case_keys() {
  # On each layout a letter hotkey pauses, a digit hotkey takes a screenshot, another key
  # ends it. Evdev codes: the key where the layout has the letter or digit. The last keymap
  # has two layouts, and the switch to the second is followed.
  start_sway "HEADLESS-1 640x480 0 0 1"
  local layout pause pauseKey group
  for entry in "fr Q 30" "de Z 21" "ru Q 16" "us,fr A 16 1"; do
    read -r layout pause pauseKey group <<<"$entry"
    hotkeys "$pause" 2 '"ImagesPerSec"=dword:00000064' '"EndDelay"=dword:00000000'
    rm -f "$WORK"/shots/*
    start_input "$layout"
    # A key held down as it starts, and its release, do not end it.
    send "down 57"
    [ -z "$group" ] || send "group $group"
    start_saver /s
    sleep 1
    send "up 57"
    expect_running "$layout: the release of a key held at its start" 0
    send "key $pauseKey"
    expect_running "$layout: $pause" 0.2
    stable_for 0.3 || fail "$layout: $pause did not pause"
    send "key 3" # the 2 of the main row: é and 2 on fr, " and 2 on ru
    wait_for test -s "$SHOT" || fail "$layout: 2 took no screenshot"
    expect_running "$layout: a hotkey" 0
    send "key 48"
    expect_exit 0 "$layout: another key"
    kill "$INPUT_PROC_PID" 2>/dev/null
    wait "$INPUT_PROC_PID" 2>/dev/null
  done
}

case_signals() {
  # SIGUSR1 starts afresh (few points drawn right after it); SIGTERM ends it by the signal.
  start_sway "HEADLESS-1 640x480 0 0 1"
  write_settings '"ImagesPerSec"=dword:0000000a' '"EndDelay"=dword:0000003c'
  start_saver /s
  sleep 2.5
  capture "$WORK/before.png"
  signal USR1
  # Most of what was lit before is black again, as soon as the saver has handled the signal.
  local before kept
  before=$(convert "$WORK/before.png" -colorspace gray -threshold 0 -format '%[fx:mean]' info:)
  afresh() {
    capture "$WORK/after.png"
    kept=$(convert "$WORK/before.png" "$WORK/after.png" -colorspace gray -threshold 0 \
      -compose multiply -composite -format '%[fx:mean]' info:)
    awk "BEGIN { exit !($kept < $before / 2) }"
  }
  wait_for afresh || fail "SIGUSR1 did not start afresh ($before, $kept)"
  expect_running "SIGUSR1" 0
  signal TERM
  expect_exit 143 "SIGTERM"
}

case_idle() {
  # swayidle starts it after its timeout; a compositor that goes away ends it with 0; no
  # compositor is one line and exit code 1.
  start_sway "HEADLESS-1 640x480 0 0 1"
  hold as_user swayidle -w timeout 1 "$SAVER /s" >/dev/null 2>&1
  WAIT_SECONDS=8 wait_for pgrep -f "^$SAVER /s" >/dev/null || fail "swayidle did not start the saver"
  kill $(pgrep -f "^$SAVER /s")
  start_saver /s
  sleep 0.5
  kill "$(case_compositor_pid)"
  expect_exit 0 "the compositor went away"
  as_user env WAYLAND_DISPLAY=nothing-here SPIRANDEL_DISPLAY=wayland "$SAVER" /s 2>"$WORK/none"
  [ $? = 1 ] && [ "$(wc -l <"$WORK/none")" = 1 ] || fail "no compositor: $(cat "$WORK/none")"
  as_user "$SAVER" /p 123 2>"$WORK/none"
  [ $? = 1 ] && grep -q "X windows" "$WORK/none" || fail "/p without X: $(cat "$WORK/none")"
}

# The watcher's saver: a child of the watcher started as the user.
# The case's own compositor and watcher: the child of what it started (runuser, or the program
# itself); other runs may have the same user.
case_compositor_pid() { pgrep -P "$COMPOSITOR_LAUNCH" || echo "$COMPOSITOR_LAUNCH"; }
case_watcher_pid() { pgrep -P "$WATCHER_LAUNCH" -x spirandel-idle || echo "$WATCHER_LAUNCH"; }
watched_saver() {
  local watcher
  watcher=$(case_watcher_pid) && pgrep -P "$watcher" -x spirandel
}
no_watched_saver() { ! watched_saver >/dev/null; }

case_watcher() {
  # spirandel-idle through sway's idle protocol: it starts the saver, a motion ends it, the
  # next idle starts it again; a window that inhibits idleness holds it back; the lock command
  # puts swaylock over the saver before the saver ends.
  pointer_in_sway "HEADLESS-1 640x480 0 0 1"
  # Held without a function between, so that $! is runuser (or the watcher itself).
  hold "${RUN_AS[@]}" env -u DISPLAY XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-1 \
    XDG_CONFIG_HOME="$WORK/cfg" "$BUILD/spirandel-idle" --wait 2 --lock-after 3 \
    --lock-command "swaylock -f" 2>>"$WORK/err"
  WATCHER_LAUNCH=$!
  WAIT_SECONDS=8 wait_for watched_saver >/dev/null || fail "the watcher did not start the saver"
  send "move 40 40"
  wait_for no_watched_saver || fail "a motion did not end the saver"
  WAIT_SECONDS=8 wait_for watched_saver >/dev/null || fail "not started again at the next idle"
  WAIT_SECONDS=8 wait_for pgrep -u "${OWNER:-$(id -u)}" -x swaylock >/dev/null ||
    fail "no swaylock after the lock delay"
  # swaylock -f returns once it is up; only then the saver goes, leaving swaylock's own white
  # over the whole output.
  wait_for no_watched_saver || fail "the saver stayed over the locker"
  capture "$WORK/locked.png"
  all_white "$WORK/locked.png" || fail "no swaylock where the saver was"
  pkill -u "${OWNER:-$(id -u)}" -x swaylock
  # An inhibitor on a visible window: no saver however long the user is away.
  hold as_user "$BUILD/spirandel-settings" 2>/dev/null
  WAIT_SECONDS=8 wait_for eval "as_user swaymsg '[title=\"Spirandel v2.0\"] inhibit_idle open' \
    >/dev/null 2>&1" || fail "no window to inhibit idleness with"
  send "move 5 5"
  sleep 4
  no_watched_saver || fail "the saver started while a window inhibited idleness"
  # The compositor's end is the session's: the watcher goes with it.
  kill "$(case_compositor_pid)"
  wait_for eval '! kill -0 "$(case_watcher_pid)" 2>/dev/null' ||
    fail "the watcher outlived the compositor"
}

case_sheet() {
  # The settings sheet opens as a Wayland window.
  [ -x "$BUILD/spirandel-settings" ] || { echo "no settings sheet in this build: skipped"; return; }
  start_sway "HEADLESS-1 800x600 0 0 1"
  write_settings
  start_saver /c
  WAIT_SECONDS=8 wait_for eval "as_user swaymsg -t get_tree | grep -q '\"Spirandel v2.0\"'" ||
    fail "the sheet did not open"
}

# start_weston: Weston without the layer shell, with two 640x480 outputs side by side and a seat.
# Its headless backend makes one output and no seat, so this is its X11 backend on Xvfb: the
# outputs are two X windows, xdotool's input reaches the seat, and captures read the X screen.
start_weston() {
  start_server xvfb Xvfb -screen 0 1280x480x24 -noreset
  start_compositor weston DISPLAY="$DISPLAY" weston --backend=x11-backend.so --output-count=2 \
    --width=640 --height=480 --use-pixman --socket=wayland-1 --idle-time=0 --no-config
  # Its windows name themselves only in _NET_WM_NAME, which xdotool does not search.
  second() {
    local window
    for window in $(xdotool search --class weston); do
      xprop -id "$window" _NET_WM_NAME | grep -q screen1 && echo "$window"
    done
  }
  wait_for eval '[ -n "$(second)" ]' || fail "weston made no second output"
  xdotool windowmove "$(second)" 640 0
}

# The panel's processes: it is the child of what the case started (runuser, or the panel
# itself); the saver and the watcher it starts leave it, and carry this case's runtime folder.
panel_pid() { pgrep -P "$PANEL_LAUNCH" -x spirandel-panel || echo "$PANEL_LAUNCH"; }
panel_saver() {
  local pid
  for pid in $(pgrep -x spirandel); do
    { tr "\\0" "\\n" <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$WORK/run" && return 0
  done
  return 1
}
# alt KEY: the key pressed with Alt (evdev codes: 56 is the left Alt; 8 its modifier bit).
alt() { send "down 56" && send "mods 8" && send "key $1" && send "mods 0" && send "up 56"; }
# panel_shows FILE: the preview shows that picture; sway says where the window is, the panel
# where the preview is in it.
panel_shows() {
  local wx wy
  read -r wx wy < <(as_user swaymsg -t get_tree -r | python3 -c 'import json, sys
def walk(n):
    if n.get("name") == "Spirandel screen saver": print(n["rect"]["x"] + n["window_rect"]["x"], n["rect"]["y"] + n["window_rect"]["y"]); sys.exit()
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))') && [ -n "$wx" ] || return 1
  capture "$WORK/screen.png" &&
    convert "$WORK/screen.png" -crop "$((w - 2))x$((h - 2))+$((wx + x))+$((wy + y))" +repage "$WORK/preview.png" &&
    same_pictures "$WORK/preview.png" "$1"
}
render() {
  "$BUILD/spirandel-render" --seed 21 --size "${w}x$h" --ticks 150 \
    --settings "$WORK/cfg/tallowyn/spir_ss/Settings.reg" --out "$1" || fail "the renderer failed"
}

case_panel() {
  # The panel as the X11 cases drive it, natively on Wayland: its preview equals the renderer's
  # picture; Settings... opens the sheet, whose OK restarts the preview with the new size;
  # Preview starts the saver and a key ends it; "Start when idle" with a wait of two seconds
  # (shown as a minute) starts a watcher, which starts the saver. No user manager answers.
  pointer_in_sway "HEADLESS-1 800x600 0 0 1"
  mkdir -p "$WORK/cfg/tallowyn/spir_ss"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Desktop]\n%s\n%s\n' \
    '"ScreenSaveActive"=dword:00000000' '"ScreenSaveTimeOut"=dword:00000002' \
    >"$WORK/cfg/tallowyn/spir_ss/Desktop.reg"
  write_settings '"ImagesPerSec"=dword:00000064' '"ObjectShape"=dword:00000002'
  install -d ${OWNER:+-o $OWNER} "$WORK/bin"
  printf '#!/bin/sh\nexit 1\n' >"$WORK/bin/systemctl" && chmod 755 "$WORK/bin/systemctl"
  # Held without a function between, so that $! is runuser (or the panel itself).
  hold "${RUN_AS[@]}" env -u DISPLAY XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-1 \
    XDG_CONFIG_HOME="$WORK/cfg" PATH="$WORK/bin:$PATH" QT_QPA_PLATFORM=wayland \
    SPIRANDEL_PANEL_SEED=21:150 "$BUILD/spirandel-panel" >"$WORK/panel.out" 2>>"$WORK/err"
  PANEL_LAUNCH=$!
  wait_for grep -q '^preview ' "$WORK/panel.out" || fail "the panel did not start"
  read -r _ _ _ w h x y <"$WORK/panel.out"
  render "$WORK/before.png"
  WAIT_SECONDS=10 wait_for panel_shows "$WORK/before.png" || fail "the preview differs from the renderer's picture"
  convert "$WORK/preview.png" -fill black -colorize 100 "$WORK/blank.png"
  ! same_pictures "$WORK/blank.png" "$WORK/before.png" || fail "the check passes on a blank capture"

  alt 20 # t
  WAIT_SECONDS=10 wait_for eval "as_user swaymsg -t get_tree | grep -q '\"Spirandel v2.0\"'" ||
    fail "Settings... opened no sheet"
  # The second box of the first page is the object size: a larger size stamps larger shapes.
  # Tab selects the box's text, which the new value replaces.
  send "key 15" && send "key 15" && send "key 3" && send "key 11" && send "key 28" # 2 0 Return
  wait_for grep -q '"RadiusFactor"' "$WORK/cfg/tallowyn/spir_ss/Settings.reg" || fail "the sheet's OK wrote nothing"
  render "$WORK/after.png"
  ! same_pictures "$WORK/before.png" "$WORK/after.png" || fail "the new size draws the same figure"
  WAIT_SECONDS=10 wait_for panel_shows "$WORK/after.png" || fail "the preview did not restart with the new settings"

  alt 25 # p
  wait_for panel_saver || fail "Preview started no saver"
  sleep 0.5
  send "key 30"
  wait_for eval '! panel_saver' || fail "a key did not end the saver"

  alt 31 # s
  sleep 0.3
  send "key 28"
  wait_for eval '! kill -0 "$(panel_pid)" 2>/dev/null' || fail "OK did not close the panel"
  grep -q '"ScreenSaveActive"=dword:00000001' "$WORK/cfg/tallowyn/spir_ss/Desktop.reg" || fail "not stored as on"
  local watcher
  WAIT_SECONDS=3 wait_for eval 'watcher=$(sed -n "s/^pid: //p" "$WORK"/run/spirandel-idle-*.lock 2>/dev/null) && [ -n "$watcher" ]' ||
    fail "no watcher runs"
  PIDS+=("$watcher")
  WAIT_SECONDS=8 wait_for pgrep -P "$watcher" -x spirandel >/dev/null || fail "the watcher started no saver"
}

case_weston() {
  # A fullscreen toplevel per output: the figure on the output with the pointer, black on the
  # other; moving onto the black one ends it, so do a key and another client's window taking
  # the keyboard. Neither of the backends Weston can run here adds an output while it runs.
  # capture FILE screenN: that output's part of the X screen.
  capture() { import -window root -crop "640x480+$((${2: -1} * 640))+0" +repage "$1"; }
  start_weston
  xdotool mousemove 960 240
  start_saver /s
  expect_running "its toplevels appeared" 1.5
  capture "$WORK/figure.png" screen1
  same_as_render "$WORK/figure.png" 640x480 || fail "the figure differs from the renderer's"
  is_black screen0 || fail "the other output is not black"
  xdotool mousemove 320 240
  expect_exit 0 "a motion onto the black output"
  start_saver /s
  expect_running "it started again" 1
  xdotool key x
  expect_exit 0 "a key"
  start_saver /s
  expect_running "it started again" 1
  hold as_user weston-simple-shm >/dev/null 2>&1
  expect_exit 0 "another client's window took the keyboard"
}

[ $# -gt 0 ] || set -- blank outputs buttons keys signals idle watcher sheet panel weston cage
run_cases wayland "$@"
