#!/usr/bin/env bash
# One end-to-end case of the Windows saver under Wine: e2e.sh CASE BUILD (the x86_64 build).
# It drives the real program with xdotool on the display in $DISPLAY, which
# scripts/stages/40-windows.sh provides: two monitors side by side (Xephyr with Xinerama), a
# second one of 640x480 at the left of the primary 1024x768, so that Windows places it at
# negative coordinates. The cases share that display and the Wine prefix, so ctest runs them one
# at a time. Every wait is bounded and waits for what the case needs (a window, a drawing, a
# file, the program's end), never for a fixed time.
set -uo pipefail
name=$1
build=$(cd "$2" && pwd)
wine=$(cd "$(dirname "$0")/../../.." && pwd)/scripts/wine-run
saver=$build/spirandel.scr
export WINEPREFIX=${WINEPREFIX:-$build/wine-prefix} WINEDEBUG=-all
key='HKCU\software\tallowyn\spir_ss\Settings'
work=$(mktemp -d)
pid=
# A case that fails midway takes down whatever it started in Wine, so that nothing of it, such as
# a saver started by the helper, is left to disturb the next case.
trap 'running && wineserver -k; rm -rf "$work"' EXIT
fail() { echo "FAIL ($name): $*" && cat "$work/out" 2>/dev/null; exit 1; }
# within SECONDS COMMAND...: true as soon as the command is; false once the time is up.
within() { local end=$((SECONDS + $1)); until "${@:2}"; do [ "$SECONDS" -lt "$end" ] && sleep 0.2 || return 1; done; }
running() { kill -0 "$pid" 2>/dev/null; }
# The program ends, with exit code 0. Wine without a window manager waits about a second per
# window for one before a closed program ends (about 4 s for the saver); 30 s allows for that.
# A case whose program waits longer itself passes its own limit.
ended() { within "${1:-30}" eval '! running' && wait "$pid"; }
# Replaces the stored settings by these lines of a registry file ("Name"=dword:1e); every case
# starts with none.
settings() {
  "$wine" reg delete 'HKCU\software\tallowyn' /f >/dev/null 2>&1
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n' >"$work/in.reg"
  printf '%s\r\n' "$@" >>"$work/in.reg"
  [ $# -eq 0 ] || "$wine" regedit /s "$work/in.reg" || fail "cannot store the settings"
}
# Every stored value as NAME=DATA ("ImagesPerSec=0x25", "PausingKay="), one a line.
stored() { "$wine" reg query "$key" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 { print $1 "=" $3 }'; }

# Where no window covers the screen the root shows blue, so black means covered.
xsetroot -solid '#0000ff' || fail "no X display"
# True when a region of the screen shows something other than black and the root's blue.
painted() { import -window root -crop "$1" "$work/now.png" && shows_paint "$work/now.png"; }
shows_paint() { [ "$(convert "$1" -fill black -opaque '#0000ff' -format '%[max]' info:)" != 0 ]; }
# The check fails on a bare screen and on a black one, as it must when nothing is drawn.
for blank in '#0000ff' black; do
  convert -size 64x48 "xc:$blank" "$work/blank.png"
  ! shows_paint "$work/blank.png" || fail "a blank $blank screen counts as painted"
done
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# No window manager hands a new window the X input focus, and Wine drops keys sent before it.
focus() { local id wanted=$1; within 60 eval 'id=$(named "$wanted") && [ -n "$id" ]' && xdotool windowfocus --sync "$id"; }
# The saver's window is the one under the pointer on the primary monitor, once there (the cover
# over both monitors comes first).
under_pointer() { xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'; }
saver_shown() { xdotool getwindowgeometry "$(under_pointer)" | grep -q 'Geometry: 1024x768$'; }
# Runs a program in the background until the saver draws on the primary monitor (x 640 to 1664),
# or only shows there with shown=saver_shown, and the second monitor is covered in black, which is
# where the cases' input goes.
shown=painted
start_saver() {
  "$wine" "$@" >"$work/out" 2>&1 & pid=$!
  within 60 "$shown" 1024x768+640+0 || fail "the saver did not show on the primary monitor"
  within 30 eval '! painted 640x480+0+0' || fail "the second monitor is not black"
}
# start_focused COMMAND...: the saver started with the pointer on the primary, and focused.
start_focused() { xdotool mousemove 1100 400 && start_saver "$@" && xdotool windowfocus --sync "$(under_pointer)"; }
start_sheet() { "$wine" "$saver" /c >"$work/out" 2>&1 & pid=$!; focus 'Spirandel v2.0' || fail "no sheet \"Spirandel v2.0\""; }
shots=$WINEPREFIX/drive_c/shots
shot() { echo "$shots/Spirandel 000$1.bmp"; }
# The screenshot key S, its files in C:\shots numbered on from 41.
printing=('"PrintingActive"=dword:1' '"PrintingKey"="S"' '"FileLocation"="C:\\shots"' '"SequenceNo"=dword:29')

settings
rm -rf "$shots" && mkdir -p "$shots/sub"
case $name in
  full_screen_covers_every_monitor_and_gives_the_focus_back)
    start_focused "$build/spirandel-saver-host.exe" focus "$saver"
    xdotool key x
    # The host waits up to 60 s for the focus to come back and says so if it does not.
    ended 70 || fail "a key did not close the saver, or: $(cat "$work/out")"
    ;;
  moves_and_clicks_on_any_monitor_close)
    # From the primary to the same client place on the second monitor; one pixel there; a click.
    for row in "740 100 mousemove 100 100" "300 200 mousemove 300 201" "300 200 click 1"; do
      read -r x y action <<<"$row"
      xdotool mousemove "$x" "$y"
      start_saver "$saver" /s
      # shellcheck disable=SC2086
      xdotool $action
      ended || fail "$action with the pointer at $x,$y did not close the saver"
    done
    ;;
  pause_holds_the_figure_and_screenshots_go_on)
    settings '"PausingActive"=dword:1' '"PausingKay"="P"' "${printing[@]}" '"EndDelay"=dword:0' \
      '"ImagesPerSec"=dword:64'
    start_focused "$saver" /s
    # Keys reach the saver in order, so once a screenshot's file is there every key before it
    # has been handled: the pictures taken while paused must be equal, on a busy machine too.
    # After P again a picture must differ soon. The first number follows the stored 41.
    keys=p
    for n in 42 43 P 44 45 46 47 48 49 50; do
      [ "$n" = P ] && keys=p && continue
      # shellcheck disable=SC2086
      xdotool key $keys s
      keys=
      within 60 test -s "$(shot "$n")" || fail "no $(shot "$n")"
      [ "$n" -gt 43 ] && ! cmp -s "$(shot 43)" "$(shot "$n")" && break
    done
    cmp -s "$(shot 42)" "$(shot 43)" || fail "the figure moved while paused"
    ! cmp -s "$(shot 43)" "$(shot "$n")" || fail "P again did not resume drawing"
    [[ "$(identify -format '%wx%h %[max]' "$(shot 42)")" =~ ^1022x766\ [1-9] ]] ||
      fail "the screenshot is not the primary's 1022x766 with a figure"
    stored | grep -qx "SequenceNo=$(printf 0x%x "$n")" || fail "SequenceNo is not $n"
    running && xdotool key x && ended || fail "a hotkey closed the saver, or another key did not"
    ;;
  huge_objects_draw_and_a_key_closes_the_saver)
    # Circles only, unzoomed: the first tick stamps a circle of the stored size. Such a figure
    # mostly misses the screen; that it keeps drawing shows in its answers to the screenshot
    # key, its drawing timer ticking while it waits for the next.
    for factor in 186a0 ffffffff; do
      settings "\"RadiusFactor\"=dword:$factor" '"ObjectShape"=dword:2' '"ZoomOption"=dword:0' \
        "${printing[@]}"
      shown=saver_shown start_focused "$saver" /s
      # Under load Wine now and then loses a key sent to a busy saver: the key goes again
      # every few seconds until the picture is there, which a saver that stopped never gives.
      for n in 42 43; do
        within 60 eval 'xdotool key s; within 3 test -s "$(shot "$n")"' ||
          fail "object size 0x$factor: no $(shot "$n")"
      done
      rm -f "$shots"/*.bmp
      xdotool key x
      ended || fail "a key did not close the saver at object size 0x$factor"
    done
    ;;
  preview_draws_inside_its_host_and_ends_with_it)
    "$wine" "$build/spirandel-saver-host.exe" preview "$saver" || fail "see above"
    ;;
  sheet_ok_writes_every_value)
    settings '"ImagesPerSec"=dword:24' '"ObjectShape"=dword:103' '"FileLocation"="C:\\shots\\sub\\.."'
    start_sheet
    # On the last page, Browse; in the chooser, Select; back on the page, OK.
    xdotool key shift+Tab Right Right Right Right Right Right Tab Tab Tab Tab Tab Tab space
    focus 'Choose folder' || fail "Browse showed no \"Choose folder\""
    xdotool key Return
    focus 'Spirandel v2.0' && xdotool key shift+Tab Return
    ended || fail "OK did not end the program"
    # 13 values and no SequenceNo; 36 images a second come back as the period's 37, a shape bit
    # without a box goes, the folder is the one the chooser showed, and pages never shown hand
    # back what they received.
    stored >"$work/stored"
    want='^(ImagesPerSec=0x25|ObjectShape=0x102|FileLocation=C:.shots|JoinTheDots=0x2|RadiusFactor=0x8)$'
    counts="$(wc -l <"$work/stored") $(grep -c ^SequenceNo "$work/stored")"
    [ "$counts $(grep -E -c "$want" "$work/stored")" = "13 0 5" ] ||
      fail "OK stored $(tr '\n' ' ' <"$work/stored")"
    ;;
  sheet_refuses_bad_values_with_a_message)
    # A bad number on the first page, whose first box has the focus with its text selected; two
    # active hotkeys on one key on the last page, reached through the tabs.
    # The row's number says how many of the hotkey settings are stored, and stay so.
    hotkeys=('"PausingActive"=dword:1' '"PrintingActive"=dword:1' '"PausingKay"="P"'
      '"PrintingKey"="P"')
    for row in "0 spir_ss type 12x" "4 Error key shift+Tab Right Right Right Right Right Right"; do
      read -r count caption action <<<"$row"
      settings "${hotkeys[@]:0:count}"
      start_sheet
      # shellcheck disable=SC2086
      xdotool $action && xdotool key Return
      focus "$caption" || fail "no message box captioned \"$caption\" after $action"
      xdotool key Return
      within 30 eval '[ -z "$(named "$caption")" ]' && running || fail "the message or the sheet"
      focus 'Spirandel v2.0' && xdotool key Escape
      ended || fail "Cancel did not end the program"
      [ "$(stored | wc -l)" = "$count" ] || fail "Cancel after \"$caption\" wrote values"
    done
    ;;
  *) fail "no such case" ;;
esac
echo "PASS ($name)"
