#!/usr/bin/env bash
# Each display system built alone, as a system that lacks the other builds the saver: the
# Wayland-only program under headless sway (buttons, and cage with two outputs), the X11-only
# one under Xvfb (keys and buttons, two monitors with a screenshot, a preview), and each saying
# in one line, with exit code 1, what it lacks.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib.sh"
build_tree wayland-only >/dev/null
build_tree x11-only >/dev/null

# lacks BUILD TEXT COMMAND...: the program of BUILD, run so, says TEXT and ends with 1.
lacks() {
  local build=$1 text=$2 said code=0
  said=$(cd "$root/$build" && "${@:3}" 2>&1 >/dev/null) || code=$?
  if [ "$code" != 1 ] || [[ "$said" != *"$text"* ]]; then
    echo "$build: '${*:3}' said '$said' with exit code $code, not '$text' with 1" >&2
    exit 1
  fi
}
lacks build-wayland-only "this build has no X11 support" \
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$(mktemp -d)" ./spirandel /s
lacks build-wayland-only "this build has no X11" \
  env -u WAYLAND_DISPLAY DISPLAY=:99 XDG_CONFIG_HOME="$(mktemp -d)" ./spirandel /p 7
lacks build-x11-only "this build has no Wayland support" \
  env SPIRANDEL_DISPLAY=wayland XDG_CONFIG_HOME="$(mktemp -d)" ./spirandel /s

bash "$root/tests/platform/wayland/wayland_e2e.sh" "$root/build-wayland-only" buttons cage
(cd "$root/build-x11-only" && ctest --output-on-failure --timeout 120 \
  -R 'e2e\.(buttons_and_keys_close|two_monitors_and_screenshot|preview_follows_host_and_ends_with_it)$')
