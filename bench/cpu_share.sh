# shellcheck shell=bash
# What the X11 and Wayland pace measurements share: a process's share of one core beside the
# display server's (pid $SERVER, named $SERVER_NAME), read from schedstat over $SECONDS_EACH.
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }

# measure NAME PID: after a second to settle; the saver's peak memory too; then ends PID.
measure() {
  local name=$1 pid=$2 a x t0 b y t1
  sleep 1
  a=$(cpu_ns "$pid") x=$(cpu_ns "$SERVER") t0=$(date +%s%N)
  sleep "$SECONDS_EACH"
  b=$(cpu_ns "$pid") y=$(cpu_ns "$SERVER") t1=$(date +%s%N)
  [ "$name" = spirandel ] && awk -v s="$SERVER_NAME" \
    '/VmHWM/ { printf "spirandel beside %s: peak resident memory %.1f MB\n", s, $2 / 1024 }' "/proc/$pid/status"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v n="$name" -v s="$SERVER_NAME" -v p=$((b - a)) -v x=$((y - x)) -v t=$((t1 - t0)) 'BEGIN {
    printf "%-10s %.3f%% of one core, %s serving it %.3f%%\n", n, 100 * p / t, s, 100 * x / t }'
}

# The server alone for five seconds, with the load the machine has.
measure_idle_server() {
  local x0 t0
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $SECONDS_EACH s each"
  x0=$(cpu_ns "$SERVER") t0=$(date +%s%N)
  sleep 5
  awk -v s="$SERVER_NAME" -v x=$(($(cpu_ns "$SERVER") - x0)) -v t=$(($(date +%s%N) - t0)) \
    'BEGIN { printf "idle %s %.3f%% of one core\n", s, 100 * x / t }'
}
