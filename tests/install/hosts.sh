#!/usr/bin/env bash
# The Debian package and the real hosts, as a user meets them: the package built from the
# Release tree and installed with apt; XScreenSaver and xsecurelock running the README's own
# recipes as an unprivileged user on a private display and HOME; then the package removed,
# leaving nothing behind. Needs root, for apt and the test user. Usage: hosts.sh BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/helpers.sh"
status=0

# recipe HEADING: the first code block after the README's heading "### HEADING".
recipe() { awk -v h="### $1" '$0 == h {f = 1} f && /^```/ {if (n++) exit; next} f && n' "$readme"; }

# xscreensaver_run OPTIONS: one activation with the README's lines, the options added to
# Spirandel's. The daemon logs how a display mode ended only while it fades back in, so the
# fade lasts long enough for a loaded machine to end the saver first.
xscreensaver_run() {
  { recipe XScreenSaver | sed "s|--root|--root $1|"; echo "fadeSeconds: 0:00:02"; } >~/.xscreensaver
  local line pid
  forks() { grep -c 'forked "spirandel' ~/xscreensaver.log; }
  line=$(forks)
  xscreensaver-command -activate >/dev/null
  wait_for eval '[ "$(forks)" -gt "$line" ]' || { fail "XScreenSaver started no spirandel $1"; return; }
  line=$(grep 'forked "spirandel' ~/xscreensaver.log | tail -n 1)  # ... in pid P on window W
  pid=$(sed 's/.* in pid \([0-9]*\) .*/\1/' <<<"$line")
  wait_for drawn "${line##* }" || fail "spirandel $1 drew nothing in XScreenSaver's window"
  xscreensaver-command -deactivate >/dev/null
  wait_for gone "$pid" || fail "spirandel $1 still runs, or is a zombie, after -deactivate"
  wait_for grep -q "pid $pid (spirandel) exited normally with SIGTERM" ~/xscreensaver.log ||
    fail "XScreenSaver logged no normal end: $(grep "pid $pid (spirandel) exited" ~/xscreensaver.log)"
}

if [ "${1:-}" = --session ]; then  # the test user on the virtual display
  readme=$2
  xscreensaver --no-splash --verbose >~/xscreensaver.log 2>&1 &
  daemon=$!
  wait_for xscreensaver-command -time >/dev/null 2>&1 || fail "the XScreenSaver daemon did not start"
  xscreensaver_run ""
  # Every value the settings page can put on the command line, all at once.
  xscreensaver_run "$(python3 - /usr/share/xscreensaver/config/spirandel.xml <<'PY'
import sys, xml.etree.ElementTree as tree
for e in tree.parse(sys.argv[1]).iter():
    print(e.get('arg-set') or (e.get('arg') or '').replace('%', e.get('high', '')), end=' ')
PY
)"
  xscreensaver-command -exit >/dev/null
  wait_for gone "$daemon"
  bash -c "$(recipe xsecurelock)" &
  runner=$!
  wait_for drawn root || fail "xsecurelock's saver drew nothing"
  # Bash may have run xsecurelock in its own process.
  kill -TERM "$(pgrep -P "$runner" -x xsecurelock || echo "$runner")"
  wait "$runner"
  left() { ps -u "$(id -u)" -o stat=,comm= | grep -v '^Z' | grep -E 'spirandel|xsecurelock|saver_|placeholde'; }
  wait_for eval '! left >/dev/null' || fail "left running after xsecurelock's SIGTERM: $(left)"
  exit $status
fi

[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"
build=$(realpath "$1") user=spirandel-host
rm -f "$build"/spirandel_*.deb
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || { echo "cpack failed"; exit 1; }
work=$(mktemp -d)
trap 'apt-get purge -y -qq spirandel >/dev/null 2>&1; rm -rf "$work"' EXIT
apt-get install -y -qq "$build"/spirandel_*_amd64.deb >/dev/null 2>&1 || { echo "apt failed"; exit 1; }
files=$(dpkg -L spirandel)
spirandel --help | grep -q '^Usage: spirandel' || fail "spirandel --help from PATH printed no usage"
man -w spirandel >/dev/null || fail "man finds no spirandel page"
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
# The user reads nothing of the checkout, which may sit in root's home.
cp "$0" "$here/helpers.sh" "$here/../../README.md" "$work" && chown -R "$user" "$work"
timeout 180 runuser -u "$user" -- env HOME="$work" xvfb-run -a -s "-noreset -screen 0 640x480x24" \
  bash "$work/hosts.sh" --session "$work/README.md" || status=1
apt-get purge -y -qq spirandel >/dev/null || fail "apt could not remove the package"
for file in $files; do
  [ -d "$file" ] || { [ ! -e "$file" ] && [ ! -L "$file" ]; } || fail "$file is left behind"
done
[ $status -eq 0 ] && echo "package and hosts: installed, drawn under XScreenSaver and xsecurelock, removed"
exit $status
