#!/usr/bin/env bash
# The settings sheet as a user meets it: `spirandel /c` under a virtual X display opens the
# sheet, a value typed and confirmed with Enter (OK) lands in Settings.reg, and Escape writes
# nothing. Skipped when the build has no Qt sheet.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PROGRAM=${SPIRANDEL_PROGRAM:-$ROOT/build/spirandel}
if [ ! -f "$ROOT/build/src/platform/qt/libspirandel_qt.a" ]; then
  echo "no Qt sheet in this build: skipped"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -uo pipefail
program=$1 home=$2 keys=$3
export XDG_CONFIG_HOME=$home
"$program" /c &
pid=$!
window=
for _ in $(seq 1 50); do
  window=$(xdotool search --name '^Spirandel v2.0$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "the sheet did not open"
  kill "$pid" 2>/dev/null
  exit 1
fi
sleep 0.5
xdotool windowfocus --sync "$window" 2>/dev/null || true
# The tab bar has the focus first; one Tab reaches the Images Per Second box.
for key in $keys; do
  case $key in
    type:*) xdotool type --delay 40 "${key#type:}" ;;
    *) xdotool key "$key" ;;
  esac
  sleep 0.2
done
for _ in $(seq 1 25); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the sheet did not close"
  kill "$pid"
  exit 1
fi
wait "$pid"
SESSION
chmod +x "$work/session.sh"

settings=$work/ok/tallowyn/spir_ss/Settings.reg
xvfb-run -a -s "-noreset" "$work/session.sh" "$PROGRAM" "$work/ok" "Tab ctrl+a type:25 Return"
grep -q '"ImagesPerSec"=dword:00000019' "$settings" || {
  echo "OK did not write the typed value:"; cat "$settings"; exit 1; }
grep -q '"SequenceNo"' "$settings" && { echo "the sheet wrote SequenceNo"; exit 1; }

xvfb-run -a -s "-noreset" "$work/session.sh" "$PROGRAM" "$work/cancel" "Tab ctrl+a type:25 Escape"
if grep -q '"ImagesPerSec"' "$work/cancel/tallowyn/spir_ss/Settings.reg"; then
  echo "Escape wrote settings"; exit 1
fi
echo "settings sheet: OK writes, Escape does not"
