#!/usr/bin/env bash
# The saver beside its floor at 1920x1080, on X11 (Xvfb), headless sway and headless KWin. In
# each round the saver and the floor of one display system run at the same time, each on a
# display server of its own, so that the machine's load weighs on both alike; the systems come
# in shuffled order, and so does which of the two starts first. Per program and round: CPU from
# /proc/PID/schedstat (user and system alike, in percent of one core), peak memory (VmHWM) and
# PSS, which shares a segment or buffer with the server that reads it. The summary gives the
# median and the quartiles over the rounds, and the saver's cost over the floor's, taken
# within each round. perf counts each program's flushes to the server, one a tick (writev on
# X11, sendmsg on Wayland): the rate reached and the CPU a tick. Then, once per system, the
# system calls per tick from strace -c over 10 s.
# The floors: spirandel-x11-floor wakes 20 times a second and sends one request;
# spirandel-wayland-floor wakes 20 times a second and commits a full-screen buffer the
# compositor does not hold with one damaged pixel. At other rates than 20 the floors still run
# at 20, so that the saver's figures there stand against a known cost.
# With BEFORE=/path/to/an/older/spirandel in the environment, that saver runs in the same
# rounds too, on a third server, for a before-and-after within one run; SAVER= names another
# saver than the build's (a copy that a rebuild during the run leaves alone).
# sway and KWin refuse to run as root; as root they and their clients run as an unprivileged
# user made for the tests.
# Usage: bench/floor/side_by_side.sh [BUILD_DIR] [ROUNDS] [SECONDS] [IMAGES_PER_SECOND] [SYSTEM...]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
ROUNDS=${2:-10}
SECONDS_EACH=${3:-40}
IPS=${4:-20}
shift $(($# < 4 ? $# : 4))
SYSTEMS=("${@:-x11}")
[ $# -gt 0 ] || SYSTEMS=(x11 sway kwin)
SAVER=${SAVER:-$BUILD/spirandel}
PROGRAMS=(saver floor)
[ -z "${BEFORE:-}" ] || PROGRAMS+=(before)
for program in "$SAVER" "$BUILD/spirandel-x11-floor" "$BUILD/spirandel-wayland-floor"; do
  [ -x "$program" ] || { echo "build $program first" >&2; exit 1; }
done
command -v perf >/dev/null || { echo "perf counts the ticks: install linux-perf" >&2; exit 1; }
USER_NAME=spirandel-wayland
RUN_AS=()
if [ "$(id -u)" = 0 ]; then
  id "$USER_NAME" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$USER_NAME"
  RUN_AS=(runuser -u "$USER_NAME" --)
fi
# Each server and client leads a process group of its own, which ends whole.
# shellcheck source=../work.sh
source "$ROOT/bench/work.sh"
chmod 755 "$WORK"
write_pace "$WORK/cfg" "$IPS"
if [ -n "${BEFORE:-}" ]; then
  # A copy of another name, so that its process is told apart from the saver's.
  mkdir -m 755 "$WORK/before"
  BEFORE_COPY=$WORK/before/spirandel-old
  cp "$BEFORE" "$BEFORE_COPY"
fi
chmod -R a+rX "$WORK/cfg"
# Debian's kwin_wayland carries a file capability that an unprivileged user cannot have; a copy
# of the same name has none.
if [[ " ${SYSTEMS[*]} " == *" kwin "* ]]; then
  mkdir "$WORK/bin" && cp "$(command -v kwin_wayland)" "$WORK/bin/kwin_wayland"
fi

# start_server SYSTEM NAME: a 1920x1080 server in $WORK/NAME; client_env NAME gives its clients'
# environment.
start_server() {
  local system=$1 dir=$WORK/$2
  mkdir -m 700 -p "$dir/run"
  [ "$(id -u)" = 0 ] && chown "$USER_NAME" "$dir/run"
  case $system in
    x11)
      setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$dir/display" 2>/dev/null &
      PIDS+=($!)
      for _ in $(seq 200); do [ -s "$dir/display" ] && break; sleep 0.05; done
      echo "DISPLAY=:$(head -n 1 "$dir/display")" >"$dir/env"
      ;;
    sway)
      echo "output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1" >"$dir/sway.conf"
      setsid "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$dir/run" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$dir/sway.conf" >/dev/null 2>&1 &
      PIDS+=($!)
      echo "XDG_RUNTIME_DIR=$dir/run WAYLAND_DISPLAY=wayland-1" >"$dir/env"
      ;;
    kwin)
      # A session bus of its own, and a home it may write.
      mkdir -p "$dir/home"
      [ "$(id -u)" = 0 ] && chown "$USER_NAME" "$dir/home"
      setsid "${RUN_AS[@]}" dbus-daemon --session --nofork --address="unix:path=$dir/run/bus" \
        >/dev/null 2>&1 &
      PIDS+=($!)
      for _ in $(seq 100); do [ -S "$dir/run/bus" ] && break; sleep 0.05; done
      setsid "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY HOME="$dir/home" \
        XDG_RUNTIME_DIR="$dir/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus" \
        "$WORK/bin/kwin_wayland" --virtual --width 1920 --height 1080 --no-lockscreen \
        --socket wayland-1 >/dev/null 2>&1 &
      PIDS+=($!)
      echo "XDG_RUNTIME_DIR=$dir/run WAYLAND_DISPLAY=wayland-1" >"$dir/env"
      ;;
  esac
  if [ "$system" != x11 ]; then
    for _ in $(seq 200); do [ -S "$dir/run/wayland-1" ] && break; sleep 0.05; done
  fi
  # KWin opens its socket before it serves it.
  if [ "$system" = kwin ]; then sleep 5; fi
}

# launch NAME PROGRAM...: the program as a client of NAME's server; prints its process id.
launch() {
  local name=$1 before
  shift
  before=$(pgrep -d, -x "$(basename "$1" | cut -c1-15)" || true)
  # shellcheck disable=SC2046
  setsid "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY $(cat "$WORK/$name/env") \
    XDG_CONFIG_HOME="$WORK/cfg" HOME="$WORK/$name" "$@" >/dev/null 2>&1 &
  PIDS+=($!)
  for _ in $(seq 100); do
    for pid in $(pgrep -x "$(basename "$1" | cut -c1-15)"); do
      [[ ",$before," == *",$pid,"* ]] || { echo "$pid"; return; }
    done
    sleep 0.02
  done
  echo "no process for $1" >&2
  exit 1
}

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
kb() { awk -v k="$2" '$1 == k":" {print $2}' "$1"; }
# command_of SYSTEM PROGRAM: what runs as PROGRAM (saver, floor, before) there.
command_of() {
  case $2 in
    saver) echo "$SAVER /s" ;;
    before) echo "$BEFORE_COPY /s" ;;
    floor) [ "$1" = x11 ] && echo "$BUILD/spirandel-x11-floor" || echo "$BUILD/spirandel-wayland-floor" ;;
  esac
}

for system in "${SYSTEMS[@]}"; do
  for program in "${PROGRAMS[@]}"; do
    start_server "$system" "$system-$program"
  done
done
sleep 2
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $ROUNDS rounds of $SECONDS_EACH s at $IPS images per second"

for round in $(seq "$ROUNDS"); do
  for system in $(shuf -e "${SYSTEMS[@]}"); do
    declare -A pid=() start=()
    for program in $(shuf -e "${PROGRAMS[@]}"); do
      # shellcheck disable=SC2046
      pid[$program]=$(launch "$system-$program" $(command_of "$system" "$program"))
    done
    sleep 2
    flush=$([ "$system" = x11 ] && echo writev || echo sendmsg)
    t0=$(date +%s%N)
    counters=()
    for program in "${PROGRAMS[@]}"; do
      start[$program]=$(cpu_ns "${pid[$program]}")
      perf stat -x, -e "syscalls:sys_enter_$flush" -p "${pid[$program]}" -o "$WORK/ticks.$program" \
        -- sleep "$SECONDS_EACH" 2>/dev/null &
      counters+=($!)
    done
    wait "${counters[@]}"
    t1=$(date +%s%N)
    for program in "${PROGRAMS[@]}"; do
      p=${pid[$program]}
      used=$(($(cpu_ns "$p") - ${start[$program]}))
      ticks=$(awk -F, '/sys_enter/ {print $1 + 0}' "$WORK/ticks.$program" 2>/dev/null)
      echo "$round $system $program $(awk -v u="$used" -v t=$((t1 - t0)) 'BEGIN{printf "%.4f", 100*u/t}') \
$(kb "/proc/$p/status" VmHWM) $(kb "/proc/$p/smaps_rollup" Pss) \
$(awk -v n="${ticks:-0}" -v t=$((t1 - t0)) 'BEGIN{printf "%.2f", n * 1e9 / t}')" >>"$WORK/results"
    done
    for program in "${PROGRAMS[@]}"; do kill "${pid[$program]}"; done
    unset pid start
    sleep 1
  done
  echo "round $round done, load average $(cut -d' ' -f1 /proc/loadavg)"
done

python3 - "$WORK/results" <<'PY'
import statistics, sys
from collections import defaultdict
rows = [line.split() for line in open(sys.argv[1])]
by = defaultdict(list)
ratio = defaultdict(list)
rounds = defaultdict(dict)
for r, system, program, cpu, hwm, pss, rate in rows:
    rate = float(rate)
    tick = 1e4 * float(cpu) / rate if rate else 0.0
    by[system, program].append((float(cpu), int(hwm) / 1024, int(pss) / 1024, rate, tick))
    rounds[system, r][program] = float(cpu)
for (system, r), cpu in rounds.items():
    for program in ('saver', 'before'):
        if program in cpu and cpu.get('floor'):
            ratio[system, program].append(cpu[program] / cpu['floor'])
def spread(values):
    if len(values) < 2:
        return f"{values[0]:.3f}"
    q = statistics.quantiles(values, n=4)
    return f"{statistics.median(values):.3f} [{q[0]:.3f} .. {q[2]:.3f}]"
print("median [quartiles]   CPU % of a core   VmHWM MB   PSS MB   ticks/s   us of CPU a tick")
for (system, program), values in sorted(by.items()):
    print(f"{system:5} {program:6}", *(spread([v[k] for v in values]) for k in range(5)), sep="  ")
for (system, program), values in sorted(ratio.items()):
    print(f"{system:5} {program} / floor CPU, round by round: {spread(values)}")
PY

# System calls per tick, and the rate reached.
for system in "${SYSTEMS[@]}"; do
  flush=$([ "$system" = x11 ] && echo writev || echo sendmsg)
  for program in "${PROGRAMS[@]}"; do
    # shellcheck disable=SC2046
    p=$(launch "$system-$program" $(command_of "$system" "$program"))
    sleep 2
    timeout -s INT 10 strace -c -f -p "$p" -o "$WORK/strace" 2>/dev/null || true
    kill "$p"
    awk -v s="$system" -v n="$program" -v f="$flush" '
      $NF == f { ticks = $4 }
      $1 ~ /^[0-9.]+$/ && NF >= 5 { calls[$NF] = $4 }
      END {
        if (ticks == 0) { print s, n, "no flushes seen"; exit }
        line = sprintf("%s %s: %.1f ticks/s; per tick:", s, n, ticks / 10)
        for (c in calls) if (c != "total") line = line sprintf(" %s %.2f", c, calls[c] / ticks)
        print line
      }' "$WORK/strace"
    sleep 1
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
