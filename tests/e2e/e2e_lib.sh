# Shared by the end-to-end scripts of the X11 and Wayland savers, of the desktops and of the
# installed program: the work folder and the processes a case starts (all ended on exit),
# bounded waits, X servers, the settings file, the saver's start and end, picture comparison
# and Wayland input. A script sets CASE, SAVER and LOGS (the files a failure shows), and
# defines capture FILE [WHERE].
# shellcheck shell=bash
WORK=$(mktemp -d)
PIDS=()
OWNER=""           # the user the saver runs as, when not this one
BASE_SETTINGS=()   # lines every settings file starts with
LAUNCH=()          # a wrapper for the saver's command line, to run it as OWNER
export XDG_CONFIG_HOME="$WORK/cfg"
trap 'kill "${PIDS[@]}" 2>/dev/null; wait 2>/dev/null; [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"' EXIT
SHOT="$WORK/shots/Spirandel 00001.bmp"

fail() {
  echo "FAIL ($CASE): $*" >&2
  local log
  for log in "${LOGS[@]}"; do
    [ -s "$log" ] && { echo "--- $log:" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

# as_unprivileged: as root, the cases run as a user made for them, since compositors refuse
# to run as root: OWNER is that user, RUN_AS runs a command as them, and WORK is theirs.
RUN_AS=()
as_unprivileged() {
  chmod 755 "$WORK"
  [ "$(id -u)" = 0 ] || return 0
  OWNER=spirandel-wayland
  id $OWNER >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin $OWNER
  RUN_AS=(runuser -u "$OWNER" --)
  chown $OWNER "$WORK"
}

# hold COMMAND...: in the background, ended with the case; $! is its process.
hold() { "$@" & PIDS+=("$!"); }

# wait_for COMMAND...: true once the command succeeds, false after about WAIT_SECONDS (5).
wait_for() { for _ in $(seq $((${WAIT_SECONDS:-5} * 20))); do "$@" && return 0; sleep 0.05; done; return 1; }

# start_server NAME COMMAND...: an X server that picks a free display number and names it
# once it is ready; DISPLAY is set to it. Every server runs with -noreset: it would otherwise
# restart whenever its last client disconnects.
start_server() {
  hold "${@:2}" -displayfd 3 -nolisten tcp 3>"$WORK/$1.display" 2>"$WORK/$1.log"
  wait_for test -s "$WORK/$1.display" || fail "$2 did not start"
  export DISPLAY=":$(cat "$WORK/$1.display")"
}

# write_settings LINE...: the settings file with these values; screenshots go to $WORK/shots.
write_settings() {
  mkdir -p "$WORK/cfg/tallowyn/spir_ss" "$WORK/shots"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n"FileLocation"="%s"\n' \
    "$WORK/shots" >"$WORK/cfg/tallowyn/spir_ss/Settings.reg"
  printf '%s\n' "${BASE_SETTINGS[@]}" "$@" >>"$WORK/cfg/tallowyn/spir_ss/Settings.reg"
  [ -z "$OWNER" ] || chown -R "$OWNER" "$WORK/cfg" "$WORK/shots"
}

# hotkeys PAUSE SHOT [LINE...]: both hotkeys active on these keys.
hotkeys() {
  write_settings '"PausingActive"=dword:00000001' "\"PausingKay\"=\"$1\"" \
    '"PrintingActive"=dword:00000001' "\"PrintingKey\"=\"$2\"" "${@:3}"
}

# start_saver ARGUMENT...: in the background; STARTED is the second it started in.
start_saver() {
  STARTED=$(date +%s)
  hold "${LAUNCH[@]}" "$SAVER" "$@" >"$WORK/out" 2>"$WORK/err"
  SAVER_PID=$!
}

ended() { ! kill -0 "$SAVER_PID" 2>/dev/null; }
# saver_running: a full-screen saver of the case's user runs, whoever started it.
saver_running() { pgrep -u "${OWNER:-$(id -u)}" -f "^$SAVER /s" >/dev/null; }

# expect_exit CODE WHAT: the saver ends with this code (128 + N: by signal N).
expect_exit() {
  wait_for ended || fail "still running after $2"
  wait "$SAVER_PID"
  local code=$?
  [ "$code" -eq "$1" ] || fail "exit code $code after $2, expected $1"
}

# expect_running WHAT [SECONDS]: still running that long after WHAT.
expect_running() { sleep "${2:-1}" && ! ended || fail "ended after $1"; }

# same_pictures A B: the two show the same colours at every pixel. Alpha is left out: a
# compositor's screenshot of an XRGB buffer may carry the unused byte as a transparent alpha,
# and compare counts fully transparent pixels as equal to anything.
same_pictures() { [ "$(compare -alpha off -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" = 0 ]; }

# lit FILE: some pixel is not black.
lit() { [ "$(convert "$1" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" != 0 ]; }

# same_as_render PNG WxH (BUILD set): the capture equals the renderer's picture of the first
# figure for one of the seeds the saver can have used (the time it started, in seconds). The
# renderer writes the drawing area, which leaves out the two right-most columns and bottom rows.
same_as_render() {
  local seed
  for seed in $(seq "$STARTED" "$(date +%s)"); do
    "$BUILD/spirandel-render" --seed "$seed" --size "$2" --figures 1 \
      --settings "$WORK/cfg/tallowyn/spir_ss/Settings.reg" --out "$WORK/render.bmp" >/dev/null
    convert "$1" -crop "$(identify -format %wx%h+0+0 "$WORK/render.bmp")" +repage "$WORK/area.png"
    same_pictures "$WORK/area.png" "$WORK/render.bmp" && return 0
  done
  return 1
}

# The Wayland input program ($INPUT, run by as_user), held open for the case: send COMMAND
# waits for its "ok".
start_input() {
  coproc INPUT_PROC { as_user "$INPUT" 2>>"$WORK/err"; }
  PIDS+=("$INPUT_PROC_PID")
  send "layout ${1:-us}"
}
send() {
  echo "$*" >&"${INPUT_PROC[1]}"
  local answer
  read -r -t 5 answer <&"${INPUT_PROC[0]}" && [ "$answer" = ok ] || fail "input: $* not taken"
}

# stable_for SECONDS [WHERE]: two captures that far apart show the same picture.
stable_for() {
  capture "$WORK/a.png" "${@:2}"
  sleep "$1"
  capture "$WORK/b.png" "${@:2}"
  same_pictures "$WORK/a.png" "$WORK/b.png"
}

# blank_captures COLOURS:CHECK...: each check has to fail where every capture is a blank
# picture, of each of the comma-separated colours in turn. A check that passes on a blank
# screen would pass on a saver that draws nothing.
blank_captures() {
  local row
  for row in "$@"; do
    # SAVER_PID: a saver that runs, for checks that ask.
    (IFS=, read -ra colours <<<"${row%%:*}" && n=0 && SAVER_PID=$$ &&
      capture() { convert -size 1600x600 "xc:${colours[n++ % ${#colours[@]}]}" "$1"; } &&
      eval "${row#*:}") && fail "'${row#*:}' passed on a blank ${row%%:*} capture"
  done
}

# run_cases NAME CASE...: each case_CASE in a process of its own, which ends what it started
# however it ends; a case fails by fail alone, and the others still run. Its settings, until
# it writes its own: a fast figure that stays once complete.
run_cases() {
  local name=$1 start status=0
  shift
  for CASE; do declare -F "case_$CASE" >/dev/null || { echo "$name: no case $CASE" >&2; exit 2; }; done
  for CASE; do
    start=$SECONDS
    (trap 'kill "${PIDS[@]}" 2>/dev/null; wait 2>/dev/null' EXIT
      write_settings '"ImagesPerSec"=dword:000003e8' '"EndDelay"=dword:0000003c'
      "case_$CASE"
      exit 0) && echo "$name $CASE: passed ($((SECONDS - start)) s)" || status=1
  done
  return $status
}
