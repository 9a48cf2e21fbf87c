#!/usr/bin/env bash
# Renders the same figures with the Linux renderer (raster canvas) and with the Windows one
# (GDI under Wine), and requires the two BMP files to be equal byte for byte, and the two traces
# of planned figures to be equal line for line (the set is tests/render-set.sh's); the traces
# also prove that every option value was drawn.
# Usage: tests/platform/win32/pixel-equality.sh <Linux build folder> <x86_64 Windows build folder>
set -uo pipefail
linux_render=$(cd "$1" && pwd)/spirandel-render
windows_render=$(cd "$2" && pwd)/spirandel-render-gdi.exe
root=$(cd "$(dirname "$0")/../../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$(cd "$2" && pwd)/wine-prefix} WINEDEBUG=-all
[ -f "$linux_render" ] && [ -f "$windows_render" ] || { echo "FAIL: a renderer is missing"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

bash "$root/tests/render-set.sh" linux "$linux_render"
bash "$root/tests/render-set.sh" windows "$windows_render" "$root/scripts/wine-run"
failures=0
bad() { echo "FAIL: $*" && failures=$((failures + 1)); }
# differs A B: says how the renders A and B (A.txt and A.bmp, ...) differ, or that A is blank;
# false when they are equal and A holds a drawing.
differs() {
  cmp -s "$1.txt" "$2.txt" || { echo "the planned figures differ" && diff "$1.txt" "$2.txt" | head -6; return 0; }
  cmp -s "$1.bmp" "$2.bmp" || { echo "pictures differ ($(cmp -l "$1.bmp" "$2.bmp" | wc -l) bytes)"; return 0; }
  [ "$(identify -format '%[max]' "$1.bmp")" = 0 ] && echo "nothing drawn"
}
while read -r name label; do
  how=$(differs "linux/$name" "windows/$name") && bad "$label: $how"
done <linux/renders.txt
# A blank picture in place of a render fails, beside the render or beside itself.
read -r first _ <linux/renders.txt
convert "linux/$first.bmp" -fill black -colorize 100 blank.bmp && cp "linux/$first.txt" blank.txt
differs blank "linux/$first" >/dev/null 2>&1 && differs blank blank >/dev/null ||
  bad "a blank picture passed the comparison"
cat windows/[0-9]*.txt >all-traces.txt

# Every value of every option must have been drawn; zoom phases and directions while zooming.
for drawn in shape={2,4,8,16,32,64,128,256} rotation={2,4,8} joinMode={1,2,4} \
  zoomLevel={0,2,4,8,16} "zoomLevel=[1-9][0-9]* zoomPhase="{32,64,128} \
  "zoomLevel=[1-9][0-9]* zoomPhase=[0-9]+ shrinking="{0,1}; do
  grep -Eq " $drawn " all-traces.txt || bad "never drawn: $drawn"
done
echo "$(wc -l <linux/renders.txt) renders compared ($(wc -l <all-traces.txt) figures), $failures failure(s)"
[ "$failures" -eq 0 ]
