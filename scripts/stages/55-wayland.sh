#!/usr/bin/env bash
# The saver on Wayland under a real headless sway (and Weston), as an unprivileged user:
# the figure's pixels, black covers, scale 2, an output added, keys on fr/de/ru, signals,
# swayidle, the settings sheet, the fallback without the layer shell. Skipped when the build
# has no Wayland saver.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$root/build/src/platform/wayland/libspirandel_wayland.a" ]; then
  echo "no Wayland saver in this build: skipped"
  exit 0
fi
cmake --build "$root/build" --target spirandel spirandel-render spirandel_wayland_input >/dev/null
exec bash "$root/tests/platform/wayland/wayland_e2e.sh" "$root/build"
