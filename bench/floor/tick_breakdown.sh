#!/usr/bin/env bash
# A saver's tick, part by part (draw, redraw, copy, present, flush, wait), in microseconds of
# CPU per tick, on a 1920x1080 Xvfb or headless sway of its own: perf samples its call chains
# (tick_breakdown.py sorts them) while perf counts its flushes, one a tick (writev on X11,
# sendmsg on Wayland). Run it for the saver of this build and for an older one to compare.
# Usage: bench/floor/tick_breakdown.sh SAVER x11|sway [SECONDS] [IMAGES_PER_SECOND]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SAVER=$(realpath "$1")
SYSTEM=$2
SECONDS_EACH=${3:-30}
IPS=${4:-20}
# shellcheck source=../work.sh
source "$ROOT/bench/work.sh"
chmod 755 "$WORK"
mkdir -p "$WORK/run"
write_pace "$WORK/cfg" "$IPS"
chmod -R a+rX "$WORK/cfg"
RUN_AS=()
if [ "$SYSTEM" = sway ] && [ "$(id -u)" = 0 ]; then
  id spirandel-wayland >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin spirandel-wayland
  RUN_AS=(runuser -u spirandel-wayland --)
  chown spirandel-wayland "$WORK/run"
fi
chmod 700 "$WORK/run"
if [ "$SYSTEM" = x11 ]; then
  setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
  PIDS+=($!)
  for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
  CLIENT_ENV=(DISPLAY=":$(head -n 1 "$WORK/display")")
  FLUSH=writev
else
  echo "output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1" >"$WORK/sway.conf"
  setsid "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WORK/run" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$WORK/sway.conf" >/dev/null 2>&1 &
  PIDS+=($!)
  for _ in $(seq 200); do [ -S "$WORK/run/wayland-1" ] && break; sleep 0.05; done
  CLIENT_ENV=(XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-1)
  FLUSH=sendmsg
fi
setsid "${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY "${CLIENT_ENV[@]}" \
  XDG_CONFIG_HOME="$WORK/cfg" "$SAVER" /s >/dev/null 2>&1 &
LAUNCHER=$!
PIDS+=("$LAUNCHER")
sleep 2
# runuser, where it runs the saver, is its parent.
SAVER_PID=$LAUNCHER
[ ${#RUN_AS[@]} = 0 ] || SAVER_PID=$(pgrep -n -P "$LAUNCHER")
before=$(awk '{print $1}' "/proc/$SAVER_PID/schedstat")
perf stat -x, -e "syscalls:sys_enter_$FLUSH" -p "$SAVER_PID" -o "$WORK/ticks" -- sleep "$SECONDS_EACH" &
perf record -q -F 20000 --call-graph dwarf,16384 -o "$WORK/perf.data" -p "$SAVER_PID" -- sleep "$SECONDS_EACH" 2>/dev/null
wait %perf 2>/dev/null || true
used=$(($(awk '{print $1}' "/proc/$SAVER_PID/schedstat") - before))
ticks=$(awk -F, '/sys_enter/ {print $1}' "$WORK/ticks")
echo "$(basename "$SAVER") on $SYSTEM at $IPS images per second: $ticks ticks in $SECONDS_EACH s, $(awk -v u="$used" -v t="$ticks" 'BEGIN{printf "%.1f", u / t / 1000}') us of CPU a tick"
perf script -i "$WORK/perf.data" 2>/dev/null |
  python3 "$ROOT/bench/floor/tick_breakdown.py" "$(awk -v u="$used" 'BEGIN{print u / 1e9}')" "$ticks"
