#!/usr/bin/env bash
# Renders the same figures with the Linux renderer (raster canvas) and with the Windows one
# (GDI under Wine), and requires the two BMP files to be equal byte for byte, and the two traces
# of planned figures to be equal line for line. The settings enable one shape, one rotation, one
# zoom combination or one join mode at a time, so that every value is drawn; the traces prove it.
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

# Sizes, object sizes (0 draws polylines) and colour steps turn with the render's number.
sizes=(640x480 320x240 800x600 97x61 1024x768)
radii=(8 0 25 150 3 500 12)
colours=(10 30 50)
failures=0
bad() { echo "FAIL: $*" && failures=$((failures + 1)); }
seed=1000
n=0
# One option value at a time (for zoom a level, a phase and a start, or none), the others all
# enabled; one render each. Then object sizes far beyond the screen, which GDI cannot take whole.
for option in shape:{2,4,8,16,32,64,128,256} rotation:{2,4,8} join:{1,2,4} zoom:0 \
  zoom:{2,4,8,16}+{32,64,128}+{256,512} radius:{100000,10000000,4294967295}; do
  shape=510 rotation=14 zoom=1022 join=7
  size=${sizes[n % ${#sizes[@]}]} radius=${radii[n % ${#radii[@]}]} colour=${colours[n % ${#colours[@]}]}
  declare "${option%%:*}=$((${option#*:}))"
  seed=$((seed * 7 % 1000003 + n))
  n=$((n + 1))
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n'
    printf '"%s"=dword:%08x\r\n' ObjectShape "$shape" ObjectRotation "$rotation" ZoomOption "$zoom" \
      JoinTheDots "$join" RadiusFactor "$radius" ColourOption "$colour"
  } >settings.reg
  # An object far larger than the window mostly misses it: such a row takes the first seed whose
  # picture shows something, so that the pictures compared hold pixels.
  for _ in {1..50}; do
    args=(--seed "$seed" --size "$size" --settings settings.reg --figures 3 --trace)
    "$linux_render" "${args[@]}" --out linux.bmp >linux.txt 2>&1
    [ "${option%%:*}" != radius ] || [ "$(identify -format '%[max]' linux.bmp)" != 0 ] && break
    seed=$((seed + 1))
  done
  "$root/scripts/wine-run" "$windows_render" "${args[@]}" --out windows.bmp 2>&1 |
    tr -d '\r' >windows.txt
  label="$option seed $seed size $size radius $radius%"
  if ! cmp -s linux.txt windows.txt; then
    bad "$label: the planned figures differ" && diff linux.txt windows.txt | head -6
  elif ! cmp -s linux.bmp windows.bmp; then
    bad "$label: pictures differ ($(cmp -l linux.bmp windows.bmp | wc -l) bytes)"
  elif [ "$(identify -format '%[max]' linux.bmp)" = 0 ]; then
    bad "$label: nothing drawn"
  fi
  cat windows.txt >>all-traces.txt
done

# Every value of every option must have been drawn; zoom phases and directions while zooming.
for drawn in shape={2,4,8,16,32,64,128,256} rotation={2,4,8} joinMode={1,2,4} \
  zoomLevel={0,2,4,8,16} "zoomLevel=[1-9][0-9]* zoomPhase="{32,64,128} \
  "zoomLevel=[1-9][0-9]* zoomPhase=[0-9]+ shrinking="{0,1}; do
  grep -Eq " $drawn " all-traces.txt || bad "never drawn: $drawn"
done
echo "$n renders compared ($(wc -l <all-traces.txt) figures), $failures failure(s)"
[ "$failures" -eq 0 ]
