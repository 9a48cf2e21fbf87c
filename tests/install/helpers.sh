# Shared by the install tests: waiting for a condition, and whether a window shows a drawing.
# shellcheck shell=bash

fail() { echo "FAIL: $*" >&2; status=1; }

# wait_for COMMAND...: true as soon as the command succeeds, false after about ten seconds.
wait_for() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }

# lit WINDOW: how many pixels of the window are not black; drawn WINDOW: some are.
lit() { import -window "$1" png:- 2>/dev/null | convert - -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:; }
drawn() { [ "$(lit "$1" 2>/dev/null)" -gt 0 ] 2>/dev/null; }

gone() { ! kill -0 "$1" 2>/dev/null; }
