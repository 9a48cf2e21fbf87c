#!/usr/bin/env bash
# The saver under a real headless GNOME Shell with two virtual monitors (800x600 and 640x480
# beside it): gnome_e2e.sh BUILD [CASE...]. GNOME Shell refuses to run as root, so as root the
# cases run as the Wayland stage's unprivileged user. Each case has a GNOME Shell of its own,
# with a private session bus and a second one standing in for the system bus, without which
# it ends at once. Every wait is bounded; a case fails saying what it saw, and the other cases
# still run.
set -uo pipefail
BUILD=$(cd "$1" && pwd)
shift
SAVER=$BUILD/spirandel
INPUT=$(cd "$(dirname "$0")" && pwd)/gnome_input.py
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"
LOGS=("$WORK/err" "$WORK/shell.log" "$WORK/watcher.log")
as_unprivileged
# The user's session; held processes start from LAUNCH, not from a function, so that ending
# them ends runuser, which ends what it runs.
LAUNCH=("${RUN_AS[@]}" env -u DISPLAY HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run"
  WAYLAND_DISPLAY=wayland-gnome XDG_CONFIG_HOME="$WORK/cfg"
  DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/run/session.bus"
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$WORK/run/system.bus")
as_user() { "${LAUNCH[@]}" "$@"; }

# shell_gives JSON SCRIPT: the script, run inside GNOME Shell (which --unsafe-mode allows),
# gives that.
shell_gives() { [ "$(shell_eval "$2")" = "$1" ]; }
shell_eval() {
  local answer
  answer=$(as_user gdbus call --session -t 5 -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.gnome.Shell.Eval "$1" 2>/dev/null) && [[ $answer == "(true, '"* ]] || return 1
  answer=${answer#"(true, '"}
  echo "${answer%"')"}"
}

# within SECONDS COMMAND...: wait_for, bounded in time however long each try takes.
within() {
  local end=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt $end ] || return 1
    sleep 0.05
  done
}

# start_gnome: GNOME Shell up, its overview closed (it opens in it, where a fullscreen window
# is only a thumbnail) and its banners held back (the first says the screen cannot be locked,
# over whatever is on the first monitor). MONITORS holds each monitor's WxH+X+Y. Now and then
# the shell hangs as it starts: the child it forks for the input method daemon runs script
# code before its exec and waits forever on a lock another thread held. Another start helps.
start_gnome() {
  local attempt shell
  for attempt in 1 2 3; do
    launch_gnome && break
    [ $attempt != 3 ] || fail "GNOME Shell was not ready within 10 s, three times"
    echo "gnome $CASE: GNOME Shell was not ready within 10 s, starting it again" >&2
    # The hung child too, which a signal to the shell leaves behind.
    mapfile -t shell < <(tree "${PIDS[-1]}")
    kill -KILL "${shell[@]}" 2>/dev/null
    kill "${PIDS[@]: -3:2}" 2>/dev/null
    wait "${PIDS[@]: -3}" 2>/dev/null
    PIDS=("${PIDS[@]:0:${#PIDS[@]}-3}")
  done
  within 10 shell_gives false \
    "Main.messageTray.bannerBlocked = true; Main.overview.hide();
    Main.overview.visible || Main.overview.animationInProgress" ||
    fail "the overview stayed open"
  read -ra MONITORS <<<"$(shell_eval "Main.layoutManager.monitors.map(
    m => m.width + 'x' + m.height + '+' + m.x + '+' + m.y).join(' ')" | tr -d '"')"
  [ ${#MONITORS[@]} = 2 ] || fail "two monitors expected, GNOME Shell has: ${MONITORS[*]}"
}

# tree PID: that process and all it started, the first last.
tree() {
  local child
  for child in $(pgrep -P "$1"); do tree "$child"; done
  echo "$1"
}

# launch_gnome: the two buses and GNOME Shell, true once the shell has started.
launch_gnome() {
  rm -rf "$WORK/run" && install -d -m 700 ${OWNER:+-o $OWNER} "$WORK/run" "$WORK/home"
  local bus begun
  for bus in session system; do
    hold "${LAUNCH[@]}" dbus-daemon --session --nofork --nopidfile \
      --address="unix:path=$WORK/run/$bus.bus" >>"$WORK/shell.log" 2>&1
    wait_for test -S "$WORK/run/$bus.bus" || fail "the $bus bus did not start"
  done
  begun=$(date +%s%N)
  hold "${LAUNCH[@]}" gnome-shell --headless --wayland --no-x11 --unsafe-mode \
    --wayland-display wayland-gnome --virtual-monitor 800x600 --virtual-monitor 640x480 \
    >>"$WORK/shell.log" 2>&1
  within 10 shell_gives false "Main.layoutManager._startingUp" || return 1
  echo "gnome $CASE: GNOME Shell started in $((($(date +%s%N) - begun) / 1000000)) ms"
}

# capture FILE MONITOR: what the shell shows on that monitor (0 or 1).
capture() {
  as_user gdbus call --session -t 5 -d org.gnome.Shell.Screenshot \
    -o /org/gnome/Shell/Screenshot -m org.gnome.Shell.Screenshot.Screenshot false false \
    "$WORK/run/whole.png" >/dev/null || fail "GNOME Shell took no screenshot"
  convert "$WORK/run/whole.png" -crop "${MONITORS[$2]}" +repage "$1"
}

# figure_shown: one monitor shows the renderer's figure; FIGURE is that monitor.
figure_shown() {
  local m
  for m in 0 1; do
    capture "$WORK/monitor$m.png" "$m"
    same_as_render "$WORK/monitor$m.png" "${MONITORS[$m]%%+*}" && FIGURE=$m && return 0
  done
  return 1
}
# what_shows: what each monitor showed last, for a failure to say.
what_shows() {
  local m share
  for m in 0 1; do
    share=$(convert "$WORK/monitor$m.png" -colorspace gray -threshold 0 -format '%[fx:mean]' info:)
    echo -n "monitor $m: $share of it lit, on average $(convert "$WORK/monitor$m.png" -alpha off \
      -scale '1x1!' -format '%[pixel:p{0,0}]' info:); "
  done
  echo "windows: $(shell_eval "global.get_window_actors().map(a => a.meta_window.title + ' on ' +
    a.meta_window.get_monitor() + (a.visible ? '' : ' hidden')).join(', ')")"
}

# The input program, whose connection keeps Mutter's remote desktop session for the case,
# once it has made its devices (whose first events would otherwise reach the saver).
start_input() {
  coproc INPUT_PROC { as_user /usr/bin/python3 "$INPUT" 2>>"$WORK/err"; }
  PIDS+=("$INPUT_PROC_PID")
  local answer=""
  read -r -t 5 answer <&"${INPUT_PROC[0]}"
  [ "$answer" = ok ] || fail "the input program did not start: $answer"
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
  # The figure on one monitor; a key ends it.
  start_gnome
  start_input
  start_saver /s
  within 5 figure_shown || fail "no figure within 5 s: $(what_shows)"
  send "key 30"
  expect_exit 0 "a key"
}

case_outputs() {
  # Both monitors covered, the figure on one and the other black; a motion on either ends it.
  start_gnome
  start_input
  local m
  for m in 0 1; do
    send "to $(centre "$m")"
    start_saver /s
    within 5 figure_shown || fail "no figure within 5 s: $(what_shows)"
    capture "$WORK/other.png" $((1 - FIGURE))
    ! lit "$WORK/other.png" || fail "monitor $((1 - FIGURE)) is not black: $(what_shows)"
    motion
    expect_exit 0 "a motion on monitor $m"
  done
}

case_idle() {
  # The watcher starts the saver once the session has been idle for its wait, through Mutter's
  # idle monitor; a motion ends it and the watcher starts it again after another wait. A
  # session bus without Mutter is a session it cannot watch.
  start_gnome
  start_input
  as_user env DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/run/system.bus" \
    "$BUILD/spirandel-idle" --wait 3 2>"$WORK/none"
  local code=$? round watcher
  [ "$code" = 1 ] && [ "$(wc -l <"$WORK/none")" = 1 ] ||
    fail "a bus without Mutter: exit code $code, and: $(cat "$WORK/none")"
  hold "${LAUNCH[@]}" "$BUILD/spirandel-idle" --wait 3 2>"$WORK/watcher.log"
  watcher=$!
  for round in first next; do
    STARTED=$(date +%s)
    sleep 2
    ! saver_running || fail "the $round saver started before the wait was over"
    within 5 saver_running || fail "the watcher did not start the $round saver"
    kill -0 "$watcher" 2>/dev/null || fail "the watcher ended"
    [ "$round" = next ] || grep -q "GNOME's idle monitor" "$WORK/watcher.log" ||
      fail "the watcher did not use GNOME's idle monitor"
    within 5 figure_shown || fail "the $round saver: no figure within 5 s: $(what_shows)"
    motion
    wait_for eval '! saver_running' || fail "a motion did not end the $round saver"
  done
}

case_blank() {
  # Every picture check fails on a capture that shows nothing of what it looks for.
  MONITORS=(800x600+0+0 640x480+800+0)
  STARTED=$(date +%s)
  blank_captures "black,white:figure_shown" "white:capture \$WORK/c.png 1 && ! lit \$WORK/c.png"
}

[ $# -gt 0 ] || set -- blank saver outputs idle
run_cases gnome "$@"
