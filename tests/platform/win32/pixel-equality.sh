#!/usr/bin/env bash
# Renders the same figures with the Linux renderer (raster canvas) and with the Windows one
# (GDI under Wine), and requires the two BMP files to be equal byte for byte, and the two traces
# of planned figures to be equal line for line. The settings files enable one shape, one
# rotation, one zoom combination or one join mode at a time, so that every value is drawn; the
# traces prove it.
# Usage: tests/platform/win32/pixel-equality.sh <Linux build folder> <x86_64 Windows build folder>
set -uo pipefail

linux_render=$(cd "$1" && pwd)/spirandel-render
windows_render=$(cd "$2" && pwd)/spirandel-render-gdi.exe
root=$(cd "$(dirname "$0")/../../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$(cd "$2" && pwd)/wine-prefix}
export WINEDEBUG=-all
for program in "$linux_render" "$windows_render"; do
  [ -f "$program" ] || { echo "missing $program"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Sizes, object sizes (0 draws polylines) and colour steps turn with the case number.
sizes=(640x480 320x240 800x600 97x61 1024x768)
radii=(8 0 25 150 3 500 12)
colours=(10 30 50)

cases=()
add_case() { cases+=("$1 $2 $3 $4 $5"); }  # name shape rotation zoom join
all_shapes=$((2 | 4 | 8 | 16 | 32 | 64 | 128 | 256))
all_zoom=$((2 | 4 | 8 | 16 | 32 | 64 | 128 | 256 | 512))
for shape in 2 4 8 16 32 64 128 256; do add_case "shape$shape" $shape 14 $all_zoom 7; done
for rotation in 2 4 8; do add_case "rotation$rotation" $all_shapes $rotation $all_zoom 7; done
for join in 1 2 4; do add_case "join$join" $all_shapes 14 $all_zoom $join; done
add_case nozoom $all_shapes 14 0 7
for level in 2 4 8 16; do
  for phase in 32 64 128; do
    for start in 256 512; do
      add_case "zoom$level-$phase-$start" $all_shapes 14 $((level | phase | start)) 7
    done
  done
done

write_settings() {  # shape rotation zoom join radius colour
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n'
  printf '"ObjectShape"=dword:%08x\r\n"ObjectRotation"=dword:%08x\r\n' "$1" "$2"
  printf '"ZoomOption"=dword:%08x\r\n"JoinTheDots"=dword:%08x\r\n' "$3" "$4"
  printf '"RadiusFactor"=dword:%08x\r\n"ColourOption"=dword:%08x\r\n' "$5" "$6"
}

failures=0
compared=0
seed=1000
: >all-traces.txt
n=0
for entry in "${cases[@]}"; do
  read -r name shape rotation zoom join <<<"$entry"
  for _ in 1 2; do
    seed=$((seed * 7 % 1000003 + n))
    size=${sizes[$((n % ${#sizes[@]}))]}
    radius=${radii[$((n % ${#radii[@]}))]}
    colour=${colours[$((n % ${#colours[@]}))]}
    n=$((n + 1))
    write_settings "$shape" "$rotation" "$zoom" "$join" "$radius" "$colour" >"$name.reg"
    args=(--seed "$seed" --size "$size" --settings "$name.reg" --figures 3 --trace)
    "$linux_render" "${args[@]}" --out linux.bmp >linux.txt 2>&1
    "$root/scripts/wine-run" "$windows_render" "${args[@]}" --out windows.bmp 2>&1 |
      tr -d '\r' >windows.txt
    compared=$((compared + 1))
    label="$name seed $seed size $size radius $radius%"
    if ! cmp -s linux.txt windows.txt; then
      echo "FAIL: $label: the planned figures differ"
      diff linux.txt windows.txt | head -6
      failures=$((failures + 1))
    elif ! cmp -s linux.bmp windows.bmp; then
      echo "FAIL: $label: pictures differ ($(cmp -l linux.bmp windows.bmp | wc -l) bytes)"
      failures=$((failures + 1))
    fi
    cat windows.txt >>all-traces.txt
  done
done

# Every value of every option must have been drawn.
missing=()
check() {  # field values...
  local field=$1; shift
  for value in "$@"; do
    grep -q " $field=$value " all-traces.txt || missing+=("$field=$value")
  done
}
check shape 2 4 8 16 32 64 128 256
check rotation 2 4 8
check zoomLevel 0 2 4 8 16
check joinMode 1 2 4
for phase in 32 64 128; do
  grep -E " zoomLevel=(2|4|8|16) zoomPhase=$phase " all-traces.txt >/dev/null ||
    missing+=("zoomPhase=$phase")
done
for shrinking in 0 1; do
  grep -E " zoomLevel=(2|4|8|16) zoomPhase=[0-9]+ shrinking=$shrinking " all-traces.txt >/dev/null ||
    missing+=("shrinking=$shrinking")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "FAIL: never drawn: ${missing[*]}"
  failures=$((failures + 1))
fi

echo "$compared renders compared ($(wc -l <all-traces.txt) figures), $failures failure(s)"
[ "$failures" -eq 0 ]
