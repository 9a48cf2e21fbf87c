#!/usr/bin/env bash
# The saver under a real headless GNOME Shell with two monitors: the figure on one and the
# other black, a key or a motion on either ending it, the idle watcher starting it through
# Mutter's idle monitor; and the picture checks failing on blank captures. Skipped when the
# build has no Wayland saver. Arguments name cases to run alone (blank, saver, outputs, idle).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$root/build/src/platform/wayland/libspirandel_wayland.a" ]; then
  echo "no Wayland saver in this build: skipped"
  exit 0
fi
cmake --build "$root/build" --target spirandel spirandel-idle spirandel-render >/dev/null
exec bash "$root/tests/desktops/gnome_e2e.sh" "$root/build" "$@"
