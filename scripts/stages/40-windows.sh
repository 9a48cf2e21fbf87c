#!/usr/bin/env bash
# The Windows build: both .scr files cross-compiled, the x86_64 unit tests run under wine64,
# then the end-to-end tests of the real saver under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

scripts/build-windows win32 win64

# One Wine prefix per run, inside the build folder, so no state leaks between runs.
export WINEPREFIX=$root/build-win64/wine-prefix
rm -rf "$WINEPREFIX"
export WINEDEBUG=-all

# Window tests need a display; xvfb-run gives each run its own.
xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c 'cd build-win64 && ctest --output-on-failure --timeout 300'

if [ -x tests/platform/win32/e2e.sh ]; then
  xvfb-run -a -s "-screen 0 1024x768x24" tests/platform/win32/e2e.sh "$root/build-win64"
fi
wineserver -k 2>/dev/null || true
