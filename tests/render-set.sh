#!/usr/bin/env bash
# Renders the set of figures that the cross-platform comparisons share (the Windows renderer
# against the Linux one, other CPUs against amd64) into a folder: NN.bmp and NN.txt, the picture
# and the trace of render NN, and renders.txt, one line per render saying what it draws. The
# settings enable one shape, one rotation, one zoom combination or one join mode at a time, the
# others all, so that every value is drawn; sizes, object sizes (0 draws polylines) and colour
# steps turn with the render's number.
# Usage: tests/render-set.sh FOLDER RENDERER [RUNNER...]   (a runner such as scripts/wine-run or
# qemu-s390x -L /usr/s390x-linux-gnu; the renderer sees paths relative to FOLDER)
set -uo pipefail
mkdir -p "$1"
renderer=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
cd "$1" || exit 1
shift 2
: >renders.txt
sizes=(640x480 320x240 800x600 97x61 1024x768)
radii=(8 0 25 150 3 500 12)
colours=(10 30 50)
seed=1000
n=0
# Objects far larger than the window mostly miss it: each of those rows moves its seed on to the
# first whose picture shows something (found once, with the Linux renderer), so that the
# pictures compared hold pixels.
declare -A seed_step=([100000]=2 [10000000]=11 [4294967295]=8)
for option in shape:{2,4,8,16,32,64,128,256} rotation:{2,4,8} join:{1,2,4} zoom:0 \
  zoom:{2,4,8,16}+{32,64,128}+{256,512} radius:{100000,10000000,4294967295}; do
  shape=510 rotation=14 zoom=1022 join=7
  seed=$((seed * 7 % 1000003 + n))
  size=${sizes[n % ${#sizes[@]}]} radius=${radii[n % ${#radii[@]}]} colour=${colours[n % ${#colours[@]}]}
  declare "${option%%:*}=$((${option#*:}))"
  row_seed=$seed
  [ "${option%%:*}" = radius ] && row_seed=$((seed + seed_step[$radius]))
  name=$(printf '%02d' "$n")
  n=$((n + 1))
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n'
    printf '"%s"=dword:%08x\r\n' ObjectShape "$shape" ObjectRotation "$rotation" ZoomOption "$zoom" \
      JoinTheDots "$join" RadiusFactor "$radius" ColourOption "$colour"
  } >settings.reg
  echo "$name $option seed $row_seed size $size radius $radius%" >>renders.txt
  # Traces without carriage returns, which Windows programs write.
  "$@" "$renderer" --seed "$row_seed" --size "$size" --settings settings.reg --figures 3 --trace \
    --out "$name.bmp" 2>&1 | tr -d '\r' >"$name.txt"
done
rm -f settings.reg
