#!/usr/bin/env bash
# The X11 saver's speed and size under Xvfb (1920x1080, 24 bits):
#  - points per second achieved at 20, 100 and 1000 images per second (spirandel-x11-pace);
#  - CPU time of build/spirandel /s at the default settings over 30 seconds;
#  - time from launch to the first point on screen at the default settings;
#  - peak resident memory of build/spirandel /s.
# Usage: bench/x11/measure.sh [BUILD_DIR] [SECONDS_PER_PACE_RUN]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
PACE_SECONDS=${2:-10}
SAVER=$BUILD/spirandel
PACE=$BUILD/spirandel-x11-pace
[ -x "$SAVER" ] && [ -x "$PACE" ] || { echo "build $SAVER and $PACE first" >&2; exit 1; }

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
PIDS+=($!)
for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$WORK/display")"
# Defaults: an empty settings folder.
export XDG_CONFIG_HOME=$WORK/cfg
mkdir -p "$XDG_CONFIG_HOME"

# On a busy machine a 1 ms timer loses whole periods to other processes, which says more
# about the machine than about the saver; where allowed, each measurement is repeated with
# the saver under the real-time scheduler to show the pace the code itself keeps.
modes=(normal)
if chrt -f 10 true 2>/dev/null; then modes+=(realtime); fi
run_pace() {
  if [ "$1" = realtime ]; then shift; chrt -f 10 "$PACE" "$@"; else shift; "$PACE" "$@"; fi
}
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for mode in "${modes[@]}"; do
  echo "== pace, $mode scheduling ($PACE_SECONDS s each)"
  for ips in 20 100 1000; do
    run_pace "$mode" "$ips" "$PACE_SECONDS"
  done
  echo "== start to first point at the defaults (50 ms period), $mode scheduling, 5 launches"
  for _ in 1 2 3 4 5; do
    run_pace "$mode" 20 0.3 "$(date +%s%N)" | sed 's/.*first point/first point/'
  done
done

echo "== build/spirandel /s at the defaults for 30 s"
ticks=$(getconf CLK_TCK)
"$SAVER" /s &
pid=$!
PIDS+=($pid)
sleep 1
read -r -a before <"/proc/$pid/stat"
start=$(date +%s%N)
sleep 30
read -r -a after <"/proc/$pid/stat"
end=$(date +%s%N)
hwm=$(awk '/VmHWM/{print $2}' "/proc/$pid/status")
# Resident memory by kind: the program's own (anonymous), mapped libraries (file), and the
# shared-memory strip.
kinds=$(awk '/^Rss(Anon|File|Shmem):/{printf "%s %.1f MB  ", $1, $2 / 1024}' "/proc/$pid/status")
kill -TERM "$pid"
wait "$pid" || true
# Fields 14 and 15 (utime, stime) sit at indexes 13 and 14 when the name has no spaces.
used=$(((after[13] + after[14]) - (before[13] + before[14])))
awk -v used="$used" -v hz="$ticks" -v ns="$((end - start))" -v hwm="$hwm" 'BEGIN {
  printf "CPU: %.2f s in %.1f s = %.3f%% of one core (clock tick %.0f ms)\n",
         used / hz, ns / 1e9, 100 * (used / hz) / (ns / 1e9), 1000 / hz
  printf "peak resident memory: %.1f MB\n", hwm / 1024
}'
echo "resident now: $kinds"
