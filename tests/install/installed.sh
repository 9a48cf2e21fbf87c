#!/usr/bin/env bash
# The program as installed, not as built: `cmake --install` into a temporary prefix, then the
# installed copy prints its usage, starts its settings sheet when called through the link in
# XScreenSaver's folder of display modes, and draws in the root window. Usage: installed.sh BUILD
set -uo pipefail
CASE=installed
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"
LOGS=("$WORK/err" "$WORK/xvfb.log")
prefix=$WORK/usr SAVER=$WORK/usr/bin/spirandel
cmake --install "$1" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for file in bin/spirandel-render bin/spirandel-bmp share/man/man6/spirandel.6.gz \
            share/xscreensaver/config/spirandel.xml; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
"$SAVER" --help | grep -q '^Usage: spirandel' || fail "--help printed no usage"
start_server xvfb Xvfb -noreset -screen 0 640x480x24
# lit: some pixel of the root window is not black.
lit() { import -window root "$WORK/root.png" && [ "$(convert "$WORK/root.png" -format '%[max]' info:)" != 0 ]; }
# The bare screen is black: a check that took it for a drawing could not fail.
! lit || fail "the bare root counts as drawn"
WAIT_SECONDS=10
hold "$prefix/libexec/xscreensaver/spirandel" /c 2>/dev/null
wait_for xdotool search --name '^Spirandel v2.0$' >/dev/null || fail "/c opened no sheet"
[ "$(readlink "/proc/$!/exe")" = "$prefix/bin/spirandel-settings" ] ||
  fail "/c started $(readlink "/proc/$!/exe"), not the installed sheet"
start_saver --root
wait_for lit || fail "--root drew nothing"
echo "installed program: usage, settings sheet and drawing from $prefix"
