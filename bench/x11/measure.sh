#!/usr/bin/env bash
# The X11 saver's cost and pace under Xvfb (1920x1080, 24 bits), side by side with
# XScreenSaver's epicycle hack on the same server in the same run:
#  - CPU of the saver (build/spirandel /s at the default settings) and of the X server
#    serving it, then the same for epicycle drawing in the root window, over SECONDS each,
#    and of the idle server as a baseline; and the floor under both: spirandel-x11-floor,
#    which only wakes 20 times a second and sends the server one request, what a point at the
#    default pace cannot cost less than on this machine;
#  - points per second and the time from launch to the first point on screen, at the
#    defaults and at 1000 images per second, watched through DAMAGE by spirandel-x11-pace,
#    with the saver's CPU at 1000 images per second;
#  - peak resident memory of the saver.
# CPU is time on a CPU from /proc/PID/schedstat (user and system alike), in percent of one
# core. Installs xscreensaver-data-extra (for epicycle) when it is missing.
# Usage: bench/x11/measure.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SECONDS_EACH=${2:-60}
SAVER=$BUILD/spirandel
PACE=$BUILD/spirandel-x11-pace
FLOOR=$BUILD/spirandel-x11-floor
EPICYCLE=/usr/libexec/xscreensaver/epicycle
[ -x "$SAVER" ] && [ -x "$PACE" ] && [ -x "$FLOOR" ] || { echo "build $SAVER, $PACE and $FLOOR first" >&2; exit 1; }
if [ ! -x "$EPICYCLE" ]; then
  # shellcheck source=../../scripts/lib.sh
  source "$ROOT/scripts/lib.sh"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xscreensaver-data-extra >/dev/null
fi

# shellcheck source=../work.sh
source "$ROOT/bench/work.sh"

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
XVFB=$!
PIDS+=("$XVFB")
for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$WORK/display")"
# The defaults: an empty settings folder.
export XDG_CONFIG_HOME=$WORK/cfg
mkdir -p "$XDG_CONFIG_HOME"

SERVER=$XVFB SERVER_NAME=Xvfb
source "$ROOT/bench/cpu_share.sh"
measure_idle_server
"$SAVER" /s &
PIDS+=($!)
measure spirandel $!
"$EPICYCLE" -root &
PIDS+=($!)
measure epicycle $!
"$FLOOR" &
PIDS+=($!)
measure floor $!

# On a busy machine a 1 ms timer loses whole periods to other processes, which says more
# about the machine than about the saver; where allowed, the pace is measured again with the
# saver and the server under the real-time scheduler, to show the pace the code keeps.
modes=(normal)
if chrt -f 10 true 2>/dev/null; then modes+=(realtime); fi
for mode in "${modes[@]}"; do
  echo "== pace watched on screen, $mode scheduling (20 s each)"
  run=()
  if [ "$mode" = realtime ]; then
    chrt -f -p 10 "$XVFB"
    run=(chrt -f 10)
  fi
  for ips in 20 1000; do
    write_pace "$XDG_CONFIG_HOME" "$ips"
    echo "requested $ips points/s: $("${run[@]}" "$PACE" 20 "$SAVER" /s)"
  done
done
