#!/usr/bin/env bash
# The Wayland saver's cost under headless sway (one 1920x1080 output, software rendering),
# beside the X11 saver under Xvfb at the same size:
#  - CPU of the saver at the default settings and of sway serving it, over SECONDS; of idle
#    sway; and of the floor, spirandel-wayland-floor, which only wakes 20 times a second and
#    commits a buffer sway does not hold with one damaged pixel, what a point at the default
#    pace cannot cost less than here (bench/floor/side_by_side.sh sets them side by side);
#  - the time from launch to the first point on screen: the commit after the one that shows
#    the cleared canvas, read from libwayland's request log (WAYLAND_DEBUG);
#  - peak resident memory of the saver on Wayland and on X11.
# CPU is time on a CPU from /proc/PID/schedstat, in percent of one core. sway refuses to run
# as root; as root it runs as an unprivileged user made for the tests.
# Usage: bench/wayland/measure.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
SECONDS_EACH=${2:-60}
SAVER=$BUILD/spirandel
FLOOR=$BUILD/spirandel-wayland-floor
[ -x "$SAVER" ] && [ -x "$FLOOR" ] || { echo "build $SAVER and $FLOOR first" >&2; exit 1; }
RUN_AS=()
if [ "$(id -u)" = 0 ]; then
  id spirandel-wayland >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin spirandel-wayland
  RUN_AS=(runuser -u spirandel-wayland --)
fi
# shellcheck source=../work.sh
source "$ROOT/bench/work.sh"
chmod 755 "$WORK"
mkdir -m 700 "$WORK/run" "$WORK/cfg"
[ "$(id -u)" = 0 ] && chown spirandel-wayland "$WORK/run" "$WORK/cfg"

as_user() {
  "${RUN_AS[@]}" env -u DISPLAY XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-1 \
    XDG_CONFIG_HOME="$WORK/cfg" "$@"
}
echo "output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1" >"$WORK/sway.conf"
"${RUN_AS[@]}" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WORK/run" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$WORK/sway.conf" >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 200); do [ -S "$WORK/run/wayland-1" ] && break; sleep 0.05; done
sleep 1
SWAY=$(pgrep -n -x sway -u "${RUN_AS[2]:-$(id -u)}")
# The newest process of this name that the user runs.
newest() { pgrep -n -x "$1" -u "${RUN_AS[2]:-$(id -u)}"; }

SERVER=$SWAY SERVER_NAME=sway
source "$ROOT/bench/cpu_share.sh"
measure_idle_server
as_user "$SAVER" /s &
PIDS+=($!)
sleep 0.5
measure spirandel "$(newest spirandel)"
as_user "$FLOOR" &
PIDS+=($!)
sleep 0.5
measure floor "$(newest spirandel-wayla)"

# libwayland stamps each logged request with the wall clock in microseconds, cut to 32 bits
# and printed in milliseconds.
for run in 1 2 3; do
  launched=$(date +%s%N)
  as_user env WAYLAND_DEBUG=1 "$SAVER" /s 2>"$WORK/requests" &
  PIDS+=($!)
  sleep 1.5
  kill "$(newest spirandel)"
  # The time to the first request is what starting a process costs here (runuser's included).
  awk -v launched="$launched" '
    function stamp() { match($0, /[0-9]+\.[0-9]+/); return substr($0, RSTART, RLENGTH) }
    BEGIN { start = (launched / 1000) % 4294967296 / 1000 }
    NR == 1 { connected = stamp() - start }
    /damage_buffer\(0, 0, 1920, 1080\)/ { cleared = 1; next }
    cleared && /damage_buffer\(/ {
      printf "first point %.1f ms after launch, its first request after %.1f ms\n", stamp() - start, connected
      exit
    }' "$WORK/requests"
done

# The X11 saver's memory at the same size, for comparison.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
PIDS+=($!)
for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.05; done
DISPLAY=":$(head -n 1 "$WORK/display")" XDG_CONFIG_HOME="$WORK/cfg" SPIRANDEL_DISPLAY=x11 "$SAVER" /s &
x11=$!
PIDS+=("$x11")
sleep "$(( SECONDS_EACH < 10 ? SECONDS_EACH : 10 ))"
awk '/VmHWM/{printf "spirandel on X11: peak resident memory %.1f MB\n", $2 / 1024}' "/proc/$x11/status"
