#!/usr/bin/env bash
# The saver and the idle watcher under a real headless KWin, as an unprivileged user: two
# outputs, keys and motions through KWin's fake input, the picture checks failing on blank
# captures. Skipped when the build has no Wayland saver. Arguments name cases to run alone
# (blank, saver, idle).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$root/build/src/platform/wayland/libspirandel_wayland.a" ]; then
  echo "no Wayland saver in this build: skipped"
  exit 0
fi
cmake --build "$root/build" --target spirandel spirandel-idle spirandel-render \
  spirandel_wayland_input >/dev/null
exec bash "$root/tests/desktops/kwin_e2e.sh" "$root/build" "$@"
