#!/usr/bin/env bash
# End-to-end cases of the panel on X11: panel_e2e.sh CASE BUILD
# The real spirandel-panel on an Xvfb of its own, with the sheet, the saver and the watcher
# beside it in BUILD, driven with xdotool.
set -uo pipefail
CASE=$1 BUILD=$2
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
LOGS=("$WORK/panel.err" "$WORK/xvfb.log")
BASE_SETTINGS=('"ImagesPerSec"=dword:00000064') # drawing fast, so that cases stay short
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$WORK/run"
# No user manager answers here, whatever the machine has: the autostart path is the one taken.
mkdir "$WORK/bin" && printf '#!/bin/sh\nexit 1\n' >"$WORK/bin/systemctl" && chmod +x "$WORK/bin/systemctl"
export PATH="$WORK/bin:$PATH"
start_server xvfb Xvfb -noreset -screen 0 800x600x24

# The savers on this case's display: other programs may run savers of their own beside it.
savers() {
  local pid
  for pid in $(pgrep -x spirandel); do
    { tr "\\0" "\\n" <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$pid"
  done
}
saver_runs() { [ -n "$(savers)" ]; }
capture() { import -window root "$1" 2>/dev/null || fail "cannot capture the screen"; }

# start_panel [SEED[:TICKS]]: the panel, focused; with a seed, PREVIEW is where its preview is.
start_panel() {
  write_settings "${SETTINGS[@]}"
  SPIRANDEL_PANEL_SEED=${1:-} hold "$BUILD/spirandel-panel" >"$WORK/panel.out" 2>"$WORK/panel.err"
  PANEL_PID=$!
  PANEL_WINDOW=$(xdotool search --sync --name '^Spirandel screen saver$' | head -n 1)
  wait_for xdotool windowfocus --sync "$PANEL_WINDOW" 2>/dev/null || fail "cannot focus the panel"
  [ -z "${1:-}" ] && return
  wait_for grep -q '^preview ' "$WORK/panel.out" || fail "the panel did not say where its preview is"
  read -r _ x y w h _ <"$WORK/panel.out"
  PREVIEW="$((w - 2))x$((h - 2))+$x+$y" PREVIEW_SIZE="${w}x$h"
}
preview() { capture "$WORK/screen.png" && convert "$WORK/screen.png" -crop "$PREVIEW" +repage "$1"; }
# render TICKS FILE: the renderer's picture for the panel's seed and settings.
render() {
  "$BUILD/spirandel-render" --seed 21 --size "$PREVIEW_SIZE" --ticks "$1" \
    --settings "$WORK/cfg/tallowyn/spir_ss/Settings.reg" --out "$2" || fail "the renderer failed"
}
# preview_shows FILE: the preview shows that picture, within a few seconds.
preview_shows() { preview "$WORK/preview.png" && same_pictures "$WORK/preview.png" "$1"; }
SETTINGS=()

case_preview_equals_the_renderer() {
  start_panel 21:150
  render 150 "$WORK/render.png"
  wait_for preview_shows "$WORK/render.png" || fail "the preview differs from the renderer's picture"
  convert "$WORK/render.png" -fill black -colorize 100 "$WORK/blank.png"
  ! same_pictures "$WORK/blank.png" "$WORK/render.png" || fail "the check passes on a blank picture"
}

case_preview_moves() {
  start_panel 21
  preview "$WORK/a.png" && sleep 0.5 && preview "$WORK/b.png"
  lit "$WORK/b.png" && ! same_pictures "$WORK/a.png" "$WORK/b.png" || fail "the preview stands still"
}

case_settings_opens_the_sheet_whose_ok_restarts_the_preview() {
  SETTINGS=('"ObjectShape"=dword:00000002')
  start_panel 21:150
  render 150 "$WORK/before.png"
  wait_for preview_shows "$WORK/before.png" || fail "the preview differs before the sheet"
  xdotool key alt+t
  WAIT_SECONDS=10 wait_for xdotool search --name '^Spirandel v2.0$' >/dev/null || fail "Settings... opened no sheet"
  sheet=$(xdotool search --name '^Spirandel v2.0$' | head -n 1)
  xdotool windowfocus --sync "$sheet"
  # The second box of the first page is the object size: a larger size stamps larger shapes.
  xdotool key Tab Tab ctrl+a type 20
  xdotool key Return
  wait_for grep -q '"RadiusFactor"' "$WORK/cfg/tallowyn/spir_ss/Settings.reg" || fail "the sheet's OK wrote nothing"
  render 150 "$WORK/after.png"
  ! same_pictures "$WORK/before.png" "$WORK/after.png" || fail "the new size draws the same figure"
  WAIT_SECONDS=10 wait_for preview_shows "$WORK/after.png" || fail "the preview did not restart with the new settings"
}

case_preview_starts_the_saver_and_a_key_ends_it() {
  start_panel
  xdotool key alt+p
  wait_for saver_runs || fail "Preview started no saver"
  sleep 0.5
  xdotool key a
  wait_for eval '! saver_runs' || fail "a key did not end the saver"
}

case_start_when_idle_starts_the_watcher() {
  # A wait of a few seconds, which the panel shows as a minute and keeps as it is.
  mkdir -p "$WORK/cfg/tallowyn/spir_ss"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Desktop]\n%s\n%s\n' \
    '"ScreenSaveActive"=dword:00000000' '"ScreenSaveTimeOut"=dword:00000002' \
    >"$WORK/cfg/tallowyn/spir_ss/Desktop.reg"
  mkdir -p "$WORK/cfg/autostart"
  printf '[Desktop Entry]\nType=Application\nName=x\nExec=spirandel-idle\nHidden=true\n' \
    >"$WORK/cfg/autostart/spirandel-idle.desktop"
  start_panel
  xdotool key alt+s && sleep 0.3 && xdotool key Return
  wait_for eval '! kill -0 $PANEL_PID 2>/dev/null' || fail "OK did not close the panel"
  grep -q '"ScreenSaveActive"=dword:00000001' "$WORK/cfg/tallowyn/spir_ss/Desktop.reg" || fail "not stored as on"
  grep -q '"ScreenSaveTimeOut"=dword:00000002' "$WORK/cfg/tallowyn/spir_ss/Desktop.reg" || fail "the wait changed"
  [ ! -e "$WORK/cfg/autostart/spirandel-idle.desktop" ] || fail "the autostart override stays"
  lock=$(ls "$WORK"/run/spirandel-idle-*.lock 2>/dev/null)
  WAIT_SECONDS=3 wait_for grep -q '^pid: ' $lock || fail "no watcher runs"
  PIDS+=("$(sed -n 's/^pid: //p' $lock)")
  WAIT_SECONDS=8 wait_for saver_runs || fail "the watcher started no saver"
}

case_start_when_idle_through_the_user_manager() {
  # A user manager that knows the watcher's unit, stood in: it notes what it is asked, and the
  # unit starts and stops a watcher. On enables and starts the unit; off disables and stops it.
  cat >"$WORK/bin/systemctl" <<EOF
#!/bin/sh
echo "\$*" >>"$WORK/systemctl.log"
case "\$2" in
  show) echo loaded ;;
  enable) "$BUILD/spirandel-idle" >/dev/null 2>&1 & echo \$! >"$WORK/unit.pid" ;;
  disable) kill "\$(cat "$WORK/unit.pid")" ;;
esac
EOF
  local state
  for state in enable disable; do
    start_panel
    xdotool key alt+s && sleep 0.3 && xdotool key Return
    wait_for eval '! kill -0 $PANEL_PID 2>/dev/null' || fail "OK did not close the panel"
    grep -qx -- "--user $state --now spirandel-idle.service" "$WORK/systemctl.log" ||
      fail "no $state: $(cat "$WORK/systemctl.log")"
    [ "$state" = disable ] && break
    PIDS+=("$(cat "$WORK/unit.pid")")
    # Shown as on once the unit's watcher holds its lock.
    WAIT_SECONDS=3 wait_for eval 'grep -q "^pid: " "$WORK"/run/spirandel-idle-*.lock 2>/dev/null' ||
      fail "the unit's watcher did not start"
  done
}

"case_$CASE"
