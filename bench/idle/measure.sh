#!/usr/bin/env bash
# What the idle watcher costs while it waits, and how soon the saver shows once the session is
# idle, on X11 (Xvfb, XSync's idle counter) and under headless sway (KDE's idle protocol):
#  - over SECONDS of an idle user and SECONDS of a busy one (a pointer motion every 0.2 s):
#    the watcher's CPU time (/proc/PID/schedstat), its wake-ups (context switches) per minute
#    and its peak resident memory (VmHWM);
#  - from the idle notification (the last input plus the wait) to the first lit pixel on the
#    screen, five times, with a capture taken as fast as the machine can.
# As root, sway runs as the unprivileged user of the tests.
# Usage: bench/idle/measure.sh [BUILD_DIR] [SECONDS] [x11|sway]...
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
SECONDS_EACH=${2:-300}
shift $(($# < 2 ? $# : 2))
[ $# -gt 0 ] || set -- x11 sway
WATCHER=$BUILD/spirandel-idle
WORK=$(mktemp -d)
chmod 755 "$WORK"
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; pkill -f "^$BUILD/spirandel /s" 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

wakes() { awk '/ctxt_switches/ { n += $2 } END { print n }' "/proc/$1/status"; }
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }

# cost PID LABEL INPUT...: the watcher's CPU and wake-ups over SECONDS_EACH while INPUT runs.
cost() {
  local pid=$1 label=$2 w0 c0 input
  w0=$(wakes "$pid") c0=$(cpu_ns "$pid")
  "${@:3}" &
  input=$!
  sleep "$SECONDS_EACH"
  kill "$input" 2>/dev/null
  wait "$input" 2>/dev/null
  awk -v l="$label" -v w=$(($(wakes "$pid") - w0)) -v c=$(($(cpu_ns "$pid") - c0)) \
    -v s="$SECONDS_EACH" 'BEGIN { printf "%-12s %.2f wake-ups a minute, %.3f ms of CPU in %d s\n",
      l, w * 60 / s, c / 1e6, s }'
}
idle_user() { sleep infinity; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# latency SEND CAPTURE WATCHER: five times the user leaves (SEND moves the pointer), and the saver's
# first point is waited for; prints the median in ms after the notification (wait 2 s). A
# capture takes time of its own, so each figure is late by up to one capture.
latency() {
  local send=$1 capture=$2 watcher=$3 runs=() t0 cursor
  for _ in 1 2 3 4 5; do
    # The last run's saver gone first, or its picture would count as this run's.
    while pgrep -P "$watcher" -x spirandel >/dev/null; do $send; sleep 0.2; done
    $send
    t0=$(date +%s%N)
    # Where the pointer shows, if it does, is left out: only the saver's pixels count.
    $capture "$WORK/c.png"
    cursor=$(convert "$WORK/c.png" -fill white +opaque black -trim -format '%[fx:page.x-8],%[fx:page.y-8] %[fx:page.x+w+8],%[fx:page.y+h+8]' info: 2>/dev/null)
    until $capture "$WORK/c.png" 2>/dev/null &&
      [ "$(convert "$WORK/c.png" -fill black -draw "rectangle ${cursor:-0,0 0,0}" \
        -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" != 0 ]; do
      [ $(($(date +%s%N) - t0)) -lt 20000000000 ] || { echo "no saver within 20 s"; return 1; }
    done
    runs+=($((($(date +%s%N) - t0) / 1000000 - 2000)))
    $send  # ends the saver; the next idle starts the next run
  done
  echo "first point after the idle notification: median $(printf '%s\n' "${runs[@]}" | median) ms of ${runs[*]}"
}

measure_x11() {
  echo "== X11 (Xvfb 1920x1080) =="
  Xvfb :77 -noreset -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null &
  PIDS+=($!)
  sleep 1
  export DISPLAY=:77 XDG_RUNTIME_DIR=$WORK XDG_CONFIG_HOME=$WORK/cfg
  "$WATCHER" --wait 600 2>/dev/null &
  local pid=$!
  PIDS+=($pid)
  sleep 1
  cost "$pid" "idle user" idle_user
  cost "$pid" "busy user" bash -c 'while xdotool mousemove_relative -- 1 1; do sleep 0.2; done'
  awk '/VmHWM/ { printf "peak resident memory %.1f MB\n", $2 / 1024 }' "/proc/$pid/status"
  kill "$pid"
  wait "$pid" 2>/dev/null  # its lock goes with it
  "$WATCHER" --wait 2 2>/dev/null &
  PIDS+=($!)
  sleep 0.5
  x11_move() { xdotool mousemove_relative -- 5 5; }
  x11_capture() { import -window root "$1"; }
  latency x11_move x11_capture $!
}

measure_sway() {
  echo "== sway 1.7 (headless, 1920x1080) =="
  local run_as=() user
  user=$(id -u)
  if [ "$user" = 0 ]; then
    user=spirandel-wayland
    id $user >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin $user
    run_as=(runuser -u $user --)
  fi
  mkdir -m 700 "$WORK/wrun" && chown "$user" "$WORK/wrun"
  as_user() { "${run_as[@]}" env -u DISPLAY XDG_RUNTIME_DIR="$WORK/wrun" WAYLAND_DISPLAY=wayland-1 \
    XDG_CONFIG_HOME="$WORK/wcfg" "$@"; }
  # A black background, so that the first lit pixel is the saver's.
  printf 'output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1 bg #000000 solid_color\nseat seat0 hide_cursor 1\nxwayland disable\n' >"$WORK/sway.conf"
  "${run_as[@]}" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WORK/wrun" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$WORK/sway.conf" >/dev/null 2>&1 &
  PIDS+=($!)
  for _ in $(seq 100); do [ -S "$WORK/wrun/wayland-1" ] && break; sleep 0.05; done
  coproc INPUT { as_user "$BUILD/tests/spirandel_wayland_input"; }
  PIDS+=("$INPUT_PID")
  sway_move() { echo "move 5 5" >&"${INPUT[1]}" && read -r -t 5 _ <&"${INPUT[0]}"; }
  as_user "$WATCHER" --wait 600 2>/dev/null &
  PIDS+=($!)
  sleep 1
  local pid
  pid=$(pgrep -n -x spirandel-idle -u "$user")
  cost "$pid" "idle user" idle_user
  # A coprocess's pipes do not reach a background subshell: the busy user has an input of its own.
  busy() { while echo "move 1 1"; do sleep 0.2; done | as_user "$BUILD/tests/spirandel_wayland_input" >/dev/null; }
  cost "$pid" "busy user" busy
  awk '/VmHWM/ { printf "peak resident memory %.1f MB\n", $2 / 1024 }' "/proc/$pid/status"
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done  # its lock goes with it
  as_user "$WATCHER" --wait 2 2>/dev/null &
  PIDS+=($!)
  sleep 0.5
  sway_capture() { as_user grim - >"$1"; }
  latency sway_move sway_capture "$(pgrep -n -x spirandel-idle -u "$user")"
}

for system; do "measure_$system"; done
