#!/usr/bin/env bash
# The Windows build: both .scr files cross-compiled; then, under Wine on one private display
# with two monitors, the x86_64 unit tests and end-to-end cases (ctest in build-win64) and the
# pixel equality of the Linux and Windows renderers.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

scripts/build-windows win32 win64

# The Linux renderer, whose pictures the Windows one must reproduce.
if [ ! -x build/spirandel-render ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target spirandel-render
fi

# One fresh Wine prefix per run, inside the build folder, so no state leaks between runs.
export WINEPREFIX=$root/build-win64/wine-prefix
export WINEDEBUG=-all
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"

# Xephyr, on a private Xvfb, shows two screens as one Xinerama screen, which Wine takes for two
# monitors (with RandR off: Wine would ask RandR first, which sees one). The second screen lies
# left of the first, the primary. Wine's desktop process holds on to the display it started
# with, so everything runs on this one, and the Wine server, kept between programs, is stopped
# before the display goes away.
xvfb-run -a -s "-screen 0 1700x800x24 -noreset" bash -c '
  set -uo pipefail
  number=$(mktemp)
  Xephyr -displayfd 3 -origin 640,0 -screen 1024x768x24 -origin 0,0 -screen 640x480x24 \
    +xinerama -extension RANDR -noreset -nolisten tcp 3>"$number" 2>/dev/null &
  xephyr=$!
  for _ in $(seq 300); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$number")
  status=0
  # The prefix is set up, and Wine left to settle, before the server is kept: set up under a
  # persistent server, Wine starts its services several times over, and every program that uses
  # COM then waits about 10 s for a service that never answers. A program with its output put
  # away then starts the services under the kept server, as they would otherwise inherit the
  # output of the first test, and ctest would wait for them to close it.
  idle() { scripts/wine-run cmd /c exit 0 >/dev/null 2>&1; }
  idle && wineserver -w && wineserver -p && idle || status=1
  (cd build-win64 && ctest --output-on-failure --timeout 300) || status=1
  tests/platform/win32/pixel-equality.sh build build-win64 || status=1
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  kill "$xephyr"
  rm -f "$number"
  exit $status
'
