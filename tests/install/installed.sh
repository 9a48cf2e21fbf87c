#!/usr/bin/env bash
# The program as installed, not as built: `cmake --install` into a temporary prefix, then the
# installed copy prints its usage, starts its settings sheet when called through the link in
# XScreenSaver's folder of display modes, and draws in the root window. Usage: installed.sh BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/helpers.sh"
status=0

if [ "${1:-}" = --session ]; then  # on the virtual display
  prefix=$2
  # The bare screen is black: a check that took it for a drawing could not fail.
  ! drawn root || fail "the bare root counts as drawn ($(lit root) pixels)"
  "$prefix/libexec/xscreensaver/spirandel" /c 2>/dev/null &
  wait_for xdotool search --name '^Spirandel v2.0$' >/dev/null || fail "/c opened no sheet"
  [ "$(readlink "/proc/$!/exe")" = "$prefix/bin/spirandel-settings" ] ||
    fail "/c started $(readlink "/proc/$!/exe"), not the installed sheet"
  kill "$!"
  "$prefix/bin/spirandel" --root &
  wait_for drawn root || fail "--root drew nothing"
  kill -TERM "$!"
  wait
  exit $status
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/usr" >/dev/null || exit 1
for file in bin/spirandel-render bin/spirandel-bmp share/man/man6/spirandel.6.gz \
            share/xscreensaver/config/spirandel.xml; do
  [ -e "$work/usr/$file" ] || fail "$file is not installed"
done
"$work/usr/bin/spirandel" --help | grep -q '^Usage: spirandel' || fail "--help printed no usage"
XDG_CONFIG_HOME=$work/config xvfb-run -a -s "-noreset -screen 0 640x480x24" \
  bash "$0" --session "$work/usr" || status=1
[ $status -eq 0 ] && echo "installed program: usage, settings sheet and drawing from $work/usr"
exit $status
