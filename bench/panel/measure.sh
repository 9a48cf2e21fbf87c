#!/usr/bin/env bash
# The panel's live preview beside the saver at the same size: CPU of spirandel-panel showing
# its 322x242 preview, and of spirandel /s filling a 322x242 Xvfb screen, each over SECONDS at
# the default settings, ROUNDS times in turn; prints every round and the medians. The X
# server's CPU serving each is shown beside it. CPU is time on a CPU from /proc/PID/schedstat
# (user and system alike), in percent of one core.
# Usage: bench/panel/measure.sh [BUILD_DIR] [SECONDS] [ROUNDS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SECONDS_EACH=${2:-30}
ROUNDS=${3:-5}
for program in spirandel spirandel-panel; do
  [ -x "$BUILD/$program" ] || { echo "build $BUILD/$program first" >&2; exit 1; }
done

# shellcheck source=../work.sh
source "$ROOT/bench/work.sh"
# The defaults: an empty settings folder; no watcher is looked for beyond its lock file.
export XDG_CONFIG_HOME=$WORK/cfg XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

# shellcheck source=../cpu_share.sh
source "$ROOT/bench/cpu_share.sh" # cpu_ns

# xvfb SIZE: a fresh server of that size; DISPLAY and SERVER name it.
xvfb() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
  SERVER=$!
  PIDS+=("$SERVER")
  for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
  DISPLAY=":$(head -n 1 "$WORK/display")"
  export DISPLAY
}

# run NAME SCREEN COMMAND...: the program on a server of its own, measured once settled;
# appends "program% server%" to $WORK/NAME.
run() {
  local name=$1 a x t0 b y t1 pid
  xvfb "$2"
  "${@:3}" >/dev/null 2>&1 &
  pid=$!
  PIDS+=("$pid")
  sleep 2
  a=$(cpu_ns "$pid") x=$(cpu_ns "$SERVER") t0=$(date +%s%N)
  sleep "$SECONDS_EACH"
  b=$(cpu_ns "$pid") y=$(cpu_ns "$SERVER") t1=$(date +%s%N)
  kill "$pid" "$SERVER"
  wait "$pid" "$SERVER" 2>/dev/null || true
  awk -v p=$((b - a)) -v x=$((y - x)) -v t=$((t1 - t0)) \
    'BEGIN { printf "%.3f %.3f\n", 100 * p / t, 100 * x / t }' | tee -a "$WORK/$name" |
    awk -v n="$name" '{ printf "%-8s %7.3f%% of one core, Xvfb serving it %7.3f%%\n", n, $1, $2 }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $SECONDS_EACH s each, $ROUNDS rounds"
for round in $(seq "$ROUNDS"); do
  echo "== round $round"
  run panel 800x600 "$BUILD/spirandel-panel"
  run saver 322x242 "$BUILD/spirandel" /s
done
median() { sort -n -k"$2" "$WORK/$1" | awk -v c="$2" '{ v[NR] = $c } END {
  printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for name in panel saver; do
  echo "median $name $(median $name 1)% of one core, Xvfb serving it $(median $name 2)%"
done
