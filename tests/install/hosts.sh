#!/usr/bin/env bash
# The Debian package and the real hosts, as a user meets them: the package built from the
# Release tree, checked by lintian and the desktops' validators, and installed with apt;
# XScreenSaver and xsecurelock running the README's own recipes, and MATE's screen saver its
# entry, as an unprivileged user on a private display and HOME; then the package removed,
# leaving nothing behind. Needs root, for apt and the test user. Usage: hosts.sh BUILD
set -uo pipefail
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
# wait_for COMMAND...: true as soon as the command succeeds, false after about ten seconds.
wait_for() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }
# lit WINDOW: how many pixels of the window are not black; drawn WINDOW: some are.
lit() { import -window "$1" png:- 2>/dev/null | convert - -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:; }
drawn() { [ "$(lit "$1" 2>/dev/null)" -gt 0 ] 2>/dev/null; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# recipe HEADING: the first code block after the README's heading "### HEADING".
recipe() { awk -v h="### $1" '$0 == h {f = 1} f && /^```/ {if (n++) exit; next} f && n' "$readme"; }

# xscreensaver_run OPTIONS [CHECK]: one activation with the README's lines, the options added
# to Spirandel's, by a daemon of its own, so that no fade or reread of the last run's file is
# still under way; CHECK, given, must hold two seconds after the first drawing in $window. The
# daemon logs how a display mode ended only while it fades back in, so the fade lasts long
# enough for a loaded machine to end the saver first.
xscreensaver_run() {
  { recipe XScreenSaver | sed "s|--root|--root $1|"; echo "fadeSeconds: 0:00:02"; } >~/.xscreensaver
  local line pid daemon
  xscreensaver --no-splash --verbose >>~/xscreensaver.log 2>&1 &
  daemon=$!
  wait_for xscreensaver-command -time >/dev/null 2>&1 || fail "the XScreenSaver daemon did not start"
  forks() { grep -c 'forked "spirandel' ~/xscreensaver.log; }
  line=$(forks)
  xscreensaver-command -activate >/dev/null
  wait_for eval '[ "$(forks)" -gt "$line" ]' || { fail "XScreenSaver started no spirandel $1"; return; }
  line=$(grep 'forked "spirandel' ~/xscreensaver.log | tail -n 1)  # ... in pid P on window W
  pid=$(sed 's/.* in pid \([0-9]*\) .*/\1/' <<<"$line")
  window=${line##* }
  wait_for drawn "$window" || fail "spirandel $1 drew nothing in XScreenSaver's window"
  [ -z "${2:-}" ] || { sleep 2; eval "$2"; } || fail "spirandel $1 drew $(lit "$window") pixels, not $2"
  xscreensaver-command -deactivate >/dev/null
  wait_for gone "$pid" || fail "spirandel $1 still runs, or is a zombie, after -deactivate"
  wait_for grep -q "pid $pid (spirandel) exited normally with SIGTERM" ~/xscreensaver.log ||
    fail "XScreenSaver logged no normal end: $(grep "pid $pid (spirandel) exited" ~/xscreensaver.log)"
  xscreensaver-command -exit >/dev/null
  wait_for gone "$daemon"
}

# MATE's screen saver (Xfce's reads the same entries) with Spirandel alone selected, in a
# session bus of its own: activated, our program runs and draws; deactivated, it ends.
if [ "${1:-}" = --mate ]; then
  export XDG_CURRENT_DESKTOP=MATE
  for key in "mode single" "themes ['screensavers-spirandel']" "lock-enabled false" "idle-activation-enabled false"; do
    gsettings set org.mate.screensaver "${key%% *}" "${key#* }"; done
  timeout 60 mate-screensaver --no-daemon --debug >~/mate.log 2>&1 &
  wait_for timeout 5 mate-screensaver-command --query >/dev/null 2>&1 || fail "mate-screensaver did not start"
  timeout 10 mate-screensaver-command --activate >/dev/null
  wait_for pgrep -u "$(id -u)" -x spirandel >/dev/null || fail "MATE started no spirandel: $(grep 'command for job' ~/mate.log)"
  wait_for drawn root || fail "spirandel drew nothing under MATE"
  timeout 10 mate-screensaver-command --deactivate >/dev/null
  wait_for eval '! pgrep -u "$(id -u)" -x spirandel >/dev/null' || fail "spirandel still runs after MATE's deactivation"
  timeout 10 mate-screensaver-command --exit >/dev/null
  exit $status
fi

if [ "${1:-}" = --session ]; then  # the test user on the virtual display
  readme=$2
  # Stored settings far from the settings page's defaults: one small shape a second.
  mkdir -p ~/.config/tallowyn/spir_ss
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n%s\n' \
    '"ImagesPerSec"=dword:00000001' '"RadiusFactor"=dword:00000001' >~/.config/tallowyn/spir_ss/Settings.reg
  # The README's line, without options, draws the stored settings.
  xscreensaver_run "" "[ \$(lit \$window) -lt 300 ]"
  # The settings page with every slider at its default: XScreenSaver writes the page's own
  # command line alone, and the defaults, not the stored settings, are drawn.
  xscreensaver_run "$(sed -n 's/.*<command arg="--root\(.*\)".*/\1/p' /usr/share/xscreensaver/config/spirandel.xml)" \
    "[ \$(lit \$window) -gt 1500 ]"
  # Every value the settings page can put on the command line, all at once.
  xscreensaver_run "$(python3 - /usr/share/xscreensaver/config/spirandel.xml <<'PY'
import sys, xml.etree.ElementTree as tree
for e in tree.parse(sys.argv[1]).iter():
    print(e.get('arg-set') or (e.get('arg') or '').replace('%', e.get('high', '')), end=' ')
PY
)"
  # The installed watcher finds the installed saver beside it.
  XDG_RUNTIME_DIR=~ spirandel-idle --wait 1 2>~/idle.err &
  watcher=$!
  wait_for pgrep -P "$watcher" -x spirandel >/dev/null || fail "spirandel-idle started no saver: $(cat ~/idle.err)"
  pkill -P "$watcher" -x spirandel
  kill "$watcher"
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
# Every program has its manual page, and the page names every option of its --help.
for program in $(grep '^/usr/bin/' <<<"$files"); do
  page=$(LC_ALL=C MANWIDTH=300 man "${program##*/}" 2>/dev/null) || fail "man finds no page for $program"
  for option in $("$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$page" || fail "the manual page of $program lacks $option"
  done
done
# lintian takes a while on its own; it runs beside the hosts.
lintian --fail-on error,warning "$build"/spirandel_*_amd64.deb >"$work/lint" 2>&1 &
lintian=$!
lint=$(desktop-file-validate $(grep '\.desktop$' <<<"$files")) || fail "a desktop entry is not valid: $lint"
XDG_RUNTIME_DIR=$work systemd-analyze --user verify /usr/lib/systemd/user/spirandel-idle.service ||
  fail "systemd-analyze finds fault with the user unit"
appstreamcli validate --no-net --pedantic /usr/share/metainfo/*.xml >/dev/null || fail "the AppStream metadata is not valid"
python3 -c 'import sys, xml.etree.ElementTree as t; p = t.parse(sys.argv[1]).getroot(); sys.exit(any(" " + n.get("arg").replace("%", n.get("default")) not in p.find("command").get("arg") for n in p.iter("number")))' \
  /usr/share/xscreensaver/config/spirandel.xml || fail "the settings page's command line lacks a slider's default"
# Without a usable display, and with a bad window id, one line on stderr and the documented code.
for case in "1 env -u DISPLAY spirandel /c" "1 env -u DISPLAY spirandel" "1 env DISPLAY=:4095 spirandel /c" \
            "2 spirandel --window-id zz" "2 spirandel --window-id 0 --root" "2 spirandel --root --window-id"; do
  errors=$(timeout 10 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${case#* } 2>&1 >/dev/null)
  code=$?
  [ "$code" = "${case%% *}" ] && [ -n "$errors" ] && [ "$(wc -l <<<"$errors")" = 1 ] ||
    fail "${case#* }: exit $code, not ${case%% *}, with: $errors"
done
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
# The user reads nothing of the checkout, which may sit in root's home.
cp "$0" "$(dirname "$0")/../../README.md" "$work" && chown -R "$user" "$work"
# as_user SECONDS COMMAND...: the test user, on a display of its own, for at most that long.
as_user() { timeout "$1" runuser -u "$user" -- env HOME="$work" xvfb-run -a -s "-noreset -screen 0 640x480x24" "${@:2}"; }
as_user 180 bash "$work/hosts.sh" --session "$work/README.md" || status=1
as_user 90 dbus-run-session bash "$work/hosts.sh" --mate >/dev/null 2>"$work/mate.err" || { grep FAIL "$work/mate.err"; status=1; }
wait $lintian || fail "lintian: $(cat "$work/lint")"
apt-get purge -y -qq spirandel >/dev/null || fail "apt could not remove the package"
for file in $files; do
  [ -d "$file" ] || { [ ! -e "$file" ] && [ ! -L "$file" ]; } || fail "$file is left behind"
done
[ $status -eq 0 ] && echo "package and hosts: lintian clean, the user unit verified, installed, drawn under XScreenSaver, xsecurelock, MATE and the idle watcher, removed"
exit $status
