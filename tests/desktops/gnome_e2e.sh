#!/usr/bin/env bash
# The saver under a real headless GNOME Shell with two virtual monitors (800x600 and 640x480
# beside it): gnome_e2e.sh BUILD [CASE...]. GNOME Shell refuses to run as root, so as root the
# cases run as the unprivileged user of the Wayland cases. Each case has a GNOME Shell of its
# own, with a private session bus and a second one standing in for the system bus, without
# which it ends at once. Every wait is bounded; a case fails saying what it saw.
set -uo pipefail
BUILD=$(cd "$1" && pwd)
shift
SAVER=$BUILD/spirandel
WATCHER=$BUILD/spirandel-idle
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"
# shellcheck source=tests/desktops/desktop_lib.sh
source "$(dirname "$0")/desktop_lib.sh"
INPUT=$(cd "$(dirname "$0")" && pwd)/gnome_input.py
LOGS=("$WORK/err" "$WORK/shell.log")
as_unprivileged_user

as_user() {
  "${RUN_AS[@]}" env -u DISPLAY HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run" \
    WAYLAND_DISPLAY=wayland-gnome XDG_CONFIG_HOME="$WORK/cfg" \
    DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$WORK/session.bus" 2>/dev/null)" \
    DBUS_SYSTEM_BUS_ADDRESS="$(head -n 1 "$WORK/system.bus" 2>/dev/null)" "$@"
}
LAUNCH=(as_user)

# shell_eval SCRIPT: the JSON of what the script gives inside GNOME Shell, which
# --unsafe-mode lets a test run; false when the shell does not answer or the script throws.
shell_eval() {
  local answer
  answer=$(as_user gdbus call --session --timeout 5 -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.gnome.Shell.Eval "$1" 2>/dev/null) || return 1
  [[ $answer == "(true, '"* ]] || return 1
  answer=${answer#"(true, '"}
  echo "${answer%"')"}"
}

# shell_gives JSON SCRIPT: the script gives that.
shell_gives() { [ "$(shell_eval "$2")" = "$1" ]; }

# start_gnome: GNOME Shell up, its overview closed (it opens in it, where a fullscreen window
# is only a thumbnail) and its banners held back (the first says the screen cannot be locked,
# over whatever is on the first monitor). MONITORS holds each monitor's WxH+X+Y.
start_gnome() {
  rm -rf "$WORK/run" && install -d -m 700 ${OWNER:+-o $OWNER} "$WORK/run" "$WORK/home"
  local bus
  for bus in session system; do
    hold "${RUN_AS[@]}" dbus-daemon --session --nofork --nopidfile --print-address=3 \
      3>"$WORK/$bus.bus" >>"$WORK/shell.log" 2>&1
    wait_for test -s "$WORK/$bus.bus" || fail "the $bus bus did not start"
  done
  local begun
  begun=$(date +%s%N)
  hold as_user gnome-shell --headless --wayland --no-x11 --unsafe-mode \
    --wayland-display wayland-gnome --virtual-monitor 800x600 --virtual-monitor 640x480 \
    >"$WORK/shell.log" 2>&1
  WAIT_SECONDS=30 wait_for shell_gives false "Main.layoutManager._startingUp" ||
    fail "GNOME Shell did not start"
  WAIT_SECONDS=10 wait_for shell_gives false \
    "Main.messageTray.bannerBlocked = true; Main.overview.hide(); Main.overview.visible" ||
    fail "the overview stayed open"
  echo "gnome $CASE: GNOME Shell ready in $((($(date +%s%N) - begun) / 1000000)) ms"
  read -ra MONITORS <<<"$(shell_eval "Main.layoutManager.monitors.map(
    m => m.width + 'x' + m.height + '+' + m.x + '+' + m.y).join(' ')" | tr -d '"')"
  [ ${#MONITORS[@]} = 2 ] || fail "two monitors expected, GNOME Shell has: ${MONITORS[*]}"
}

# capture FILE [MONITOR]: what the shell shows, of one monitor (0 or 1) or all of them.
capture() {
  as_user gdbus call --session --timeout 5 -d org.gnome.Shell.Screenshot \
    -o /org/gnome/Shell/Screenshot -m org.gnome.Shell.Screenshot.Screenshot false false \
    "$WORK/run/whole.png" >/dev/null || fail "GNOME Shell took no screenshot"
  convert "$WORK/run/whole.png" ${2:+-crop "${MONITORS[$2]}" +repage} "$1"
}

# figure_shown: one monitor shows a figure, which it keeps in FIGURE: some pixels lit on a
# mostly black screen (the desktop, a blank screen or a black cover are none).
figure_shown() {
  local m
  for m in 0 1; do
    capture "$WORK/monitor$m.png" $m
    figure "$WORK/monitor$m.png" && FIGURE=$m && return 0
  done
  return 1
}
what_shows() { echo "monitor 0 $(looks "$WORK/monitor0.png"), monitor 1 $(looks "$WORK/monitor1.png")"; }

# The input program, held open for the case (its connection keeps Mutter's remote desktop
# session): send COMMAND waits for its "ok".
start_input() {
  coproc INPUT_PROC { as_user /usr/bin/python3 "$INPUT" 2>>"$WORK/err"; }
  PIDS+=("$INPUT_PROC_PID")
}
send() {
  echo "$*" >&"${INPUT_PROC[1]}"
  local answer=""
  read -r -t 5 answer <&"${INPUT_PROC[0]}"
  [ "$answer" = ok ] || fail "input: $* not taken: $answer"
}

# motion: the pointer moved as a hand moves it, in more than one step. Mutter tells a window
# that appeared under a pointer at rest that the pointer is there only with the next motion,
# which is then where the pointer starts for the saver.
motion() { send "move 20 15" && send "move 20 15"; }

# centre MONITOR: the desktop's coordinates of the middle of that monitor.
centre() {
  local w h x y
  IFS='x+' read -r w h x y <<<"${MONITORS[$1]}"
  echo $((x + w / 2)) $((y + h / 2))
}

case_saver() {
  # A figure on one monitor; a key ends it.
  start_gnome
  start_input
  start_saver /s
  WAIT_SECONDS=3 wait_for figure_shown || fail "no figure within 3 s: $(what_shows)"
  send "key 30"
  expect_exit 0 "a key"
}

case_outputs() {
  # Both monitors covered, the figure on one and the other black; a motion on either ends it.
  start_gnome
  start_input
  local m
  for m in 0 1; do
    send "to $(centre $m)"
    start_saver /s
    WAIT_SECONDS=3 wait_for figure_shown || fail "no figure within 3 s: $(what_shows)"
    expect_running "the figure showed" 0.3
    capture "$WORK/other.png" $((1 - FIGURE))
    ! lit "$WORK/other.png" || fail "monitor $((1 - FIGURE)) is not black: $(looks "$WORK/other.png")"
    motion
    expect_exit 0 "a motion on monitor $m"
  done
}

# watched_saver: the saver the watcher runs, as its process number.
watched_saver() { descendant "$WATCHER_PID" spirandel; }

case_idle() {
  # The watcher starts the saver once the session is idle for its wait, through Mutter's idle
  # monitor; a motion ends it and the watcher starts it again after another wait. A session
  # bus without Mutter is a session it cannot watch.
  [ -x "$WATCHER" ] || { echo "gnome idle: no spirandel-idle in this build: skipped"; return; }
  start_gnome
  start_input
  hold as_user "$WATCHER" --wait 3 2>"$WORK/watcher.err"
  WATCHER_PID=$!
  LOGS+=("$WORK/watcher.err")
  local round
  for round in first second; do
    expect_idle_start "the $round start"
    WAIT_SECONDS=3 wait_for figure_shown || fail "$round start: no figure within 3 s: $(what_shows)"
    motion
    WAIT_SECONDS=3 wait_for eval '! watched_saver >/dev/null' ||
      fail "$round start: the saver still runs 3 s after a motion"
  done
  as_user env DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$WORK/system.bus")" "$WATCHER" --wait 3 \
    2>"$WORK/none"
  local code=$?
  [ $code = 1 ] && [ "$(wc -l <"$WORK/none")" = 1 ] || fail "a bus without Mutter: exit code $code, said: $(cat "$WORK/none")"
}

# expect_idle_start WHAT: no saver for 2 s of the 3 s wait, then one within 3 s more.
expect_idle_start() {
  sleep 2
  ! watched_saver >/dev/null || fail "$1: the saver started before 2 s idle"
  kill -0 "$WATCHER_PID" 2>/dev/null || fail "$1: the watcher ended"
  WAIT_SECONDS=3 wait_for watched_saver >/dev/null || fail "$1: no saver after 5 s idle"
}

case_blank() {
  # Every picture check fails on a capture that shows nothing of what it looks for.
  MONITORS=(800x600+0+0 640x480+800+0)
  blank_captures "black:figure_shown" "white:figure_shown" \
    "white:capture \$WORK/c.png 1 && ! lit \$WORK/c.png"
}

[ $# -gt 0 ] || set -- blank saver outputs idle
run_cases gnome "$@"
