#!/usr/bin/env bash
# The panel's live preview beside the saver at the same size: CPU of spirandel-panel showing
# its 322x242 preview, and of spirandel /s filling a 322x242 Xvfb screen, over SECONDS at the
# default settings. In each round both run at the same time, each on an X server of its own,
# so that the machine's load weighs on both alike; single runs here vary twofold. Prints every
# round, the panel's cost over the saver's within each, and the medians over ROUNDS. The X
# server's CPU serving each is shown beside it. CPU is time on a CPU from /proc/PID/schedstat
# (user and system alike), in percent of one core.
# Usage: bench/panel/measure.sh [BUILD_DIR] [SECONDS] [ROUNDS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SECONDS_EACH=${2:-30}
ROUNDS=${3:-10}
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

# xvfb NAME SIZE: a fresh server of that size for NAME; its display is in $WORK/NAME.display,
# its process SERVER[NAME].
declare -A SERVER
xvfb() {
  Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp -noreset 3>"$WORK/$1.display" 2>/dev/null &
  PIDS+=($!)
  SERVER[$1]=$!
  for _ in $(seq 200); do [ -s "$WORK/$1.display" ] && break; sleep 0.05; done
}

# one_round: panel and saver at once; appends "panel% panel-server% saver% saver-server%".
one_round() {
  local panel saver a b t0 t1 values=()
  xvfb panel 800x600
  xvfb saver 322x242
  DISPLAY=":$(head -n 1 "$WORK/panel.display")" "$BUILD/spirandel-panel" >/dev/null 2>&1 &
  panel=$!
  DISPLAY=":$(head -n 1 "$WORK/saver.display")" "$BUILD/spirandel" /s >/dev/null 2>&1 &
  saver=$!
  PIDS+=("$panel" "$saver")
  sleep 2
  a="$(cpu_ns "$panel") $(cpu_ns "${SERVER[panel]}") $(cpu_ns "$saver") $(cpu_ns "${SERVER[saver]}")"
  t0=$(date +%s%N)
  sleep "$SECONDS_EACH"
  b="$(cpu_ns "$panel") $(cpu_ns "${SERVER[panel]}") $(cpu_ns "$saver") $(cpu_ns "${SERVER[saver]}")"
  t1=$(date +%s%N)
  kill "$panel" "$saver" "${SERVER[panel]}" "${SERVER[saver]}"
  wait "$panel" "$saver" "${SERVER[panel]}" "${SERVER[saver]}" 2>/dev/null || true
  read -ra before <<<"$a"
  read -ra after <<<"$b"
  for i in 0 1 2 3; do
    values+=("$(awk -v d=$((after[i] - before[i])) -v t=$((t1 - t0)) 'BEGIN { printf "%.4f", 100 * d / t }')")
  done
  echo "${values[*]}" >>"$WORK/rounds"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $SECONDS_EACH s each, $ROUNDS rounds"
for round in $(seq "$ROUNDS"); do
  one_round
  tail -n 1 "$WORK/rounds" | awk -v r="$round" '{ printf "round %2d: panel %.3f%% (Xvfb %.3f%%), saver %.3f%% (Xvfb %.3f%%), panel/saver %.2f\n", r, $1, $2, $3, $4, $1 / $3 }'
done
median() { awk '{ print $'"$1"' }' "$WORK/rounds" | sort -g | awk '{ v[NR] = $1 } END {
  printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
awk '{ print $1 / $3 }' "$WORK/rounds" >"$WORK/ratio"
echo "median panel $(median 1)% of one core (Xvfb $(median 2)%), saver $(median 3)% (Xvfb $(median 4)%)"
echo "median panel/saver within a round: $(sort -g "$WORK/ratio" | awk '{ v[NR] = $1 } END {
  printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
