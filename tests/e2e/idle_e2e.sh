#!/usr/bin/env bash
# End-to-end cases of the idle watcher on X11: idle_e2e.sh CASE WATCHER TEST_HOST
# Each case runs the real spirandel-idle on an Xvfb of its own with input from xdotool; the
# saver it starts is the real one beside it, or a stand-in where a case needs one that fails.
set -uo pipefail
CASE=$1 WATCHER=$2 HOST=$3
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
LOGS=("$WORK/watcher.err" "$WORK/xvfb.log")
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$WORK/run"

# start_watcher ARGUMENT...: the watcher in the background, its stderr in watcher.err.
start_watcher() {
  hold "$WATCHER" "$@" 2>"$WORK/watcher.err"
  WATCHER_PID=$!
  wait_for grep -q "watching the session" "$WORK/watcher.err" || fail "the watcher did not start"
}
saver_pid() { pgrep -P "$WATCHER_PID" -x "${SAVER_NAME:-spirandel}"; }
saver_runs() { saver_pid >/dev/null; }
no_saver() { ! saver_runs; }
# ended_by INPUT...: the input, then a moment for the saver to end.
ended_by() { "$@" && sleep 0.3 && no_saver; }
# expect_saver_within SECONDS WHAT / expect_no_saver_for SECONDS WHAT
expect_saver_within() { WAIT_SECONDS=$1 wait_for saver_runs || fail "no saver $2"; }
expect_no_saver_for() { sleep "$1"; no_saver || fail "a saver started $2"; }
idle_settings() {
  mkdir -p "$WORK/cfg/tallowyn/spir_ss"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Desktop]\n%s\n' "$@" \
    >"$WORK/cfg/tallowyn/spir_ss/Desktop.reg.new"
  mv "$WORK/cfg/tallowyn/spir_ss/Desktop.reg.new" "$WORK/cfg/tallowyn/spir_ss/Desktop.reg"
}

case_idle_starts_the_saver_and_input_ends_it() {
  start_watcher --wait 2
  expect_saver_within 5 "after 2 s idle"
  # Input before the saver has its grab goes nowhere (a slow start under the sanitizers), so it
  # is sent until the saver ends.
  WAIT_SECONDS=5 wait_for ended_by xdotool key a || fail "a key did not end the saver"
  expect_saver_within 5 "at the next idle"
  WAIT_SECONDS=5 wait_for ended_by xdotool mousemove 5 5 sleep 0.2 mousemove 200 200 ||
    fail "a motion did not end the saver"
  # Input keeps the session busy: no saver while the user is there.
  for _ in 1 2 3 4; do xdotool mousemove_relative 3 3; sleep 0.5; done
  no_saver || fail "a saver started although the user moved the mouse every 0.5 s"
}

case_one_watcher_per_session() {
  start_watcher --wait 60
  "$WATCHER" --wait 1 2>"$WORK/second.err"
  local code=$?
  [ "$code" = 0 ] && grep -q "already watching" "$WORK/second.err" ||
    fail "a second watcher: exit $code, $(cat "$WORK/second.err")"
  # The first one's status, for whoever shows it, in the file that it holds locked.
  grep -qx "pid: $WATCHER_PID" "$WORK"/run/spirandel-idle-*.lock &&
    grep -q "^source: X11's idle counter" "$WORK"/run/spirandel-idle-*.lock ||
    fail "no status in the lock file: $(cat "$WORK"/run/spirandel-idle-*.lock)"
}

case_stored_settings_followed_at_run_time() {
  idle_settings '"ScreenSaveActive"=dword:00000000' '"ScreenSaveTimeOut"=dword:00000001'
  start_watcher
  expect_no_saver_for 3 "while the watcher was turned off"
  idle_settings '"ScreenSaveActive"=dword:00000001' '"ScreenSaveTimeOut"=dword:00000001'
  expect_saver_within 3 "after the watcher was turned on"
}

# A saver that cannot start is said once and not started again until the user came and went.
case_quick_failure_said_once() {
  mkdir "$WORK/bin"
  cp "$WATCHER" "$WORK/bin/spirandel-idle"
  printf '#!/bin/sh\necho started >>"%s"\nexit 3\n' "$WORK/starts" >"$WORK/bin/spirandel"
  chmod +x "$WORK/bin/spirandel"
  WATCHER=$WORK/bin/spirandel-idle
  start_watcher --wait 1
  WAIT_SECONDS=4 wait_for test -s "$WORK/starts" || fail "the stand-in saver never started"
  sleep 2
  [ "$(wc -l <"$WORK/starts")" = 1 ] || fail "started $(wc -l <"$WORK/starts") times in one idle"
  xdotool mousemove 7 7
  WAIT_SECONDS=4 wait_for eval '[ "$(wc -l <"$WORK/starts")" = 2 ]' || fail "not tried again"
  [ "$(grep -c 'ended at once with status 3' "$WORK/watcher.err")" = 1 ] ||
    fail "the failure was not said exactly once"
}

# The lock command runs while the saver shows, and the saver goes only once it has returned.
case_lock_command_runs_while_the_saver_shows() {
  start_watcher --wait 1 --lock-after 1 --lock-command \
    "sleep 0.5; pgrep -P \$PPID -x spirandel >/dev/null && touch '$WORK/locked'"
  expect_saver_within 4 "after 1 s idle"
  WAIT_SECONDS=4 wait_for test -e "$WORK/locked" || fail "no lock command while the saver ran"
  wait_for no_saver || fail "the saver stayed after the lock"
}

# On X11 nobody else owns org.freedesktop.ScreenSaver here, so the watcher does: an inhibit
# held on the session bus keeps the saver away; giving it back, or leaving the bus with it,
# lets the saver start.
case_inhibit_on_the_session_bus() {
  hold dbus-daemon --session --nofork --address="unix:path=$WORK/bus" 2>/dev/null
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/bus"
  wait_for test -S "$WORK/bus" || fail "no session bus"
  start_watcher --wait 1
  local cookie
  for how in release leave; do
    coproc HOLDER { /usr/bin/python3 "$(dirname "$0")/inhibit_holder.py" 2>>"$WORK/watcher.err"; }
    echo inhibit >&"${HOLDER[1]}"
    read -r -t 5 _ cookie <&"${HOLDER[0]}" || fail "no cookie from the watcher's service"
    WAIT_SECONDS=5 wait_for ended_by xdotool mousemove_relative -- 3 3 ||
      fail "the saver did not end at the mouse"
    expect_no_saver_for 3 "while an inhibit was held"
    if [ $how = release ]; then
      echo "release $cookie" >&"${HOLDER[1]}"
      read -r -t 5 _ <&"${HOLDER[0]}" || fail "UnInhibit not answered"
    fi
    exec {HOLDER[1]}>&-
    expect_saver_within 3 "after the inhibit was let go ($how)"
  done
  # The session bus's end is the session's.
  kill "${PIDS[1]}"
  wait_for eval '! kill -0 $WATCHER_PID 2>/dev/null' || fail "the watcher outlived the session bus"
}

# XScreenSaver's daemon marks a window of its own with its version: while one runs, the screen
# is its, which the watcher says once.
case_xscreensaver_keeps_the_screen() {
  hold "$HOST" 10 10 >"$WORK/host"
  wait_for test -s "$WORK/host" || fail "test host did not start"
  read -r daemon _ <"$WORK/host"
  xprop -id "$daemon" -f _SCREENSAVER_VERSION 8s -set _SCREENSAVER_VERSION 6.06
  start_watcher --wait 1
  expect_no_saver_for 3 "while XScreenSaver's daemon ran"
  xdotool mousemove_relative -- 3 3
  expect_no_saver_for 2 "at the second idle while XScreenSaver's daemon ran"
  [ "$(grep -c 'XScreenSaver runs this session' "$WORK/watcher.err")" = 1 ] ||
    fail "not said exactly once: $(cat "$WORK/watcher.err")"
  xprop -id "$daemon" -remove _SCREENSAVER_VERSION
  xdotool mousemove_relative -- 3 3
  expect_saver_within 4 "once XScreenSaver had gone"
}

case_session_end_ends_the_watcher() {
  start_watcher --wait 60
  kill -TERM "${PIDS[0]}"
  wait_for eval '! kill -0 $WATCHER_PID 2>/dev/null' || fail "still watching a display that is gone"
  wait "$WATCHER_PID"
  local code=$?
  [ "$code" = 0 ] || fail "exit code $code at the session's end"
}

start_server xvfb Xvfb -noreset -screen 0 320x240x24
"case_$CASE"
echo "PASS ($CASE)"
