# Shared by the cases under real desktops, on top of tests/e2e/e2e_lib.sh: the unprivileged
# user the desktops run as, what a capture shows, the processes a program started, and the
# loop over the cases.
# shellcheck shell=bash

# as_unprivileged_user: as root, RUN_AS runs a command as the user of the Wayland cases (made
# when missing; a compositor refuses to run as root), who owns the work folder.
RUN_AS=()
as_unprivileged_user() {
  chmod 755 "$WORK"
  [ "$(id -u)" = 0 ] || return 0
  OWNER=spirandel-wayland
  id $OWNER >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin $OWNER
  # shellcheck disable=SC2034 # the scripts that source this one run their commands with it
  RUN_AS=(runuser -u "$OWNER" --)
  chown $OWNER "$WORK"
}

# lit_share FILE: the share of the pixels that are not black, 0 to 1.
lit_share() { convert "$1" -colorspace gray -threshold 0 -format '%[fx:mean]' info:; }
lit() { [ "$(lit_share "$1")" != 0 ]; }
# figure FILE: a figure on a black screen: some pixels lit, most of them black.
figure() { awk "BEGIN { exit !($(lit_share "$1") > 0 && $(lit_share "$1") < 0.5) }"; }
# looks FILE: what a capture shows, for a failure to say.
looks() {
  [ -s "$1" ] || { echo "(no capture)"; return; }
  echo "$(identify -format %wx%h "$1") with $(lit_share "$1") of it lit, on average" \
    "$(convert "$1" -alpha off -scale '1x1!' -format '%[pixel:p{0,0}]' info:)"
}

# descendant PID [NAME]: the processes (named NAME) that PID started, directly or not.
descendant() {
  ps -e -o pid=,ppid=,comm= | awk -v root="$1" -v name="${2:-}" '
    { parent[$1] = $2; comm[$1] = $3 }
    END {
      for (p in comm) {
        if (name != "" && comm[p] != name) continue
        for (q = parent[p]; q in parent && q != root; q = parent[q]) {}
        if (q == root) { print p; found = 1 }
      }
      exit !found
    }'
}

# end_started: ends what the case started and all that started in turn. runuser outlives the
# shell that held it, and a program it runs may outlive the buses and the desktop it needed.
end_started() {
  local pid tree=()
  for pid in "${PIDS[@]}"; do
    mapfile -t -O ${#tree[@]} tree < <(descendant "$pid")
  done
  # The programs before their runuser, which then still reaps them.
  kill "${tree[@]}" 2>/dev/null
  kill "${PIDS[@]}" 2>/dev/null
  wait 2>/dev/null
}

# run_cases DESKTOP CASE...: each case in a process of its own, which ends what it started
# however it ends; a case fails by fail alone, and the others still run. Its settings, until
# it writes its own: a fast figure that stays once complete.
run_cases() {
  local desktop=$1 start status=0
  shift
  for CASE; do
    declare -F "case_$CASE" >/dev/null || { echo "$desktop: no case $CASE" >&2; exit 2; }
  done
  for CASE; do
    start=$SECONDS
    (trap end_started EXIT
      write_settings '"ImagesPerSec"=dword:000003e8' '"EndDelay"=dword:0000003c'; "case_$CASE"; exit 0) &&
      echo "$desktop $CASE: passed ($((SECONDS - start)) s)" || status=1
  done
  return $status
}
