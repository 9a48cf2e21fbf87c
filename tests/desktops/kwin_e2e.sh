#!/usr/bin/env bash
# The saver under a real headless KWin with two virtual outputs: kwin_e2e.sh BUILD [CASE...].
# KWin offers the layer shell, its own fake input and a screenshot interface on a private
# session bus. It refuses to run as root, so as root the cases run as the Wayland stage's
# unprivileged user. Every wait is bounded; a case fails saying what it saw, and the other
# cases still run.
set -uo pipefail
BUILD=$(cd "$1" && pwd)
shift
SAVER=$BUILD/spirandel
INPUT=$BUILD/tests/spirandel_wayland_input
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"
LOGS=("$WORK/err" "$WORK/kwin.log" "$WORK/idle.log")
as_unprivileged
# The user's session; held processes start from LAUNCH, not from a function, so that ending
# them ends runuser, which ends what it runs.
LAUNCH=("${RUN_AS[@]}" env -u DISPLAY HOME="$WORK" XDG_RUNTIME_DIR="$WORK/run"
  WAYLAND_DISPLAY=wayland-1 DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/run/bus"
  XDG_CONFIG_HOME="$WORK/cfg")
as_user() { "${LAUNCH[@]}" "$@"; }
# Debian's kwin_wayland carries a file capability, which makes its exec fail for a user who
# cannot have it; a copy has none. The copy keeps the name: KWin's own Qt platform plugin
# loads only into a program of that name.
KWIN=$(command -v kwin_wayland) || { echo "kwin_wayland is not installed" >&2; exit 1; }
mkdir "$WORK/bin" && cp "$KWIN" "$WORK/bin/kwin_wayland"
SIZE=640x480

# start_kwin: a session bus and KWin on it, until its screenshot interface answers. Without
# permission checks, KWin lets any client capture and fake input.
start_kwin() {
  install -d -m 700 ${OWNER:+-o $OWNER} "$WORK/run" "$WORK/cfg"
  hold "${LAUNCH[@]}" dbus-daemon --session --nofork --address="unix:path=$WORK/run/bus" \
    >"$WORK/kwin.log" 2>&1
  wait_for test -S "$WORK/run/bus" || fail "the session bus did not start"
  hold "${LAUNCH[@]}" KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    "$WORK/bin/kwin_wayland" --virtual --output-count 2 --width ${SIZE%x*} --height ${SIZE#*x} \
    --no-lockscreen --socket wayland-1 >>"$WORK/kwin.log" 2>&1
  WAIT_SECONDS=10 wait_for eval 'as_user timeout 2 gdbus introspect -e -d org.kde.KWin \
    -o /org/kde/KWin/ScreenShot2 2>/dev/null | grep -q CaptureScreen' || fail "KWin did not start"
}

# capture FILE [OUTPUT]: one output's pixels. KWin writes them raw, as 32-bit BGRA rows, into
# the pipe it is handed, and closes it once they are all there.
capture() {
  local output=${2:-Virtual-0} size
  as_user gdbus call -t 5 -e -d org.kde.KWin -o /org/kde/KWin/ScreenShot2 \
    -m org.kde.KWin.ScreenShot2.CaptureScreen "$output" '{}' 3 3>&1 >"$WORK/shot.txt" 2>&1 |
    timeout 5 cat >"$WORK/shot.raw"
  size=$(sed -n "s/.*'height': <uint32 \([0-9]*\)>.*'width': <uint32 \([0-9]*\)>.*/\2x\1/p" \
    "$WORK/shot.txt")
  [ -n "$size" ] && convert -size "$size" -depth 8 "bgra:$WORK/shot.raw" -alpha off "$1" ||
    fail "KWin could not capture $output: $(cat "$WORK/shot.txt")"
}
is_black() { capture "$WORK/$1.png" "$1" && ! lit "$WORK/$1.png"; }

# figure_beside_black: the renderer's figure on the first output, where the pointer starts,
# and nothing on the second; seen: what each shows.
figure_beside_black() {
  capture "$WORK/figure.png" && same_as_render "$WORK/figure.png" $SIZE && is_black Virtual-1
}
seen() {
  local output
  for output in Virtual-0 Virtual-1; do
    echo -n "$output: $(is_black $output && echo black || echo lit) "
  done
}

case_saver() {
  # The figure beside black; a key ends it, and so does a motion onto the other output.
  start_kwin
  start_input us
  start_saver /s
  expect_running "its surfaces appeared" 1.5
  figure_beside_black || fail "not the figure beside black: $(seen)"
  send "key 30"
  expect_exit 0 "a key"
  start_saver /s
  expect_running "its surfaces appeared again" 1
  # KWin may tell a surface that appears under a still pointer of it only at the pointer's
  # next motion, which the saver then takes as where the pointer starts.
  send "move 1 1"
  send "move 400 0"
  expect_exit 0 "a motion onto the other output"
}

case_idle() {
  # The watcher starts the saver after the wait, through KWin's idle notification (KWin also
  # has KDE's older idle timeout, which the watcher only falls back to), and again at the next
  # idle after a key ended it.
  start_kwin
  start_input us
  STARTED=$(date +%s)
  hold "${LAUNCH[@]}" "$BUILD/spirandel-idle" --wait 3 2>"$WORK/idle.log"
  local watcher=$! round
  for round in first next; do
    sleep 2
    ! saver_running || fail "the $round saver started before the wait was over"
    WAIT_SECONDS=5 wait_for saver_running || fail "the watcher did not start the $round saver"
    kill -0 "$watcher" 2>/dev/null || fail "the watcher ended"
    if [ $round = first ]; then
      grep -q ext-idle-notify "$WORK/idle.log" || fail "the watcher did not use ext-idle-notify"
      sleep 1.5
      figure_beside_black || fail "not the figure beside black: $(seen)"
    fi
    # A key before the saver has the keyboard goes nowhere (the next round checks no picture
    # first), so it is sent until the saver ends.
    WAIT_SECONDS=5 wait_for eval 'send "key 30" && sleep 0.3 && ! saver_running' ||
      fail "a key did not end the $round saver"
  done
}

case_blank() {
  # Every picture check fails on a capture that shows nothing of what it looks for.
  STARTED=$(date +%s)
  blank_captures "white:is_black Virtual-1" "black:figure_beside_black"
}

[ $# -gt 0 ] || set -- blank saver idle
run_cases kwin "$@"
