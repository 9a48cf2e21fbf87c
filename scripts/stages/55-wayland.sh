#!/usr/bin/env bash
# The saver on Wayland under a real headless sway (and Weston, and cage inside sway), as an
# unprivileged user: the figure's pixels, black covers, scale 2, an output added, buttons,
# keys on fr/de/ru, signals, swayidle, the settings sheet, the panel (its preview, Settings..., Preview, Start when idle), the fallback
# without the layer shell on two outputs, two outputs under cage; the idle watcher with swaylock
# and an inhibitor; and the picture checks failing on blank captures. Skipped when the build has
# no Wayland saver. Arguments name cases to run alone (blank, outputs, buttons, keys, signals,
# idle, watcher, sheet, panel, weston, cage).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$root/build/src/platform/wayland/libspirandel_wayland.a" ]; then
  echo "no Wayland saver in this build: skipped"
  exit 0
fi
cmake --build "$root/build" --target spirandel spirandel-idle spirandel-settings spirandel-panel spirandel-render spirandel_wayland_input >/dev/null
exec bash "$root/tests/platform/wayland/wayland_e2e.sh" "$root/build" "$@"
