#!/usr/bin/env bash
# Renders the set of figures that the cross-platform comparisons share, into a folder: one BMP
# and one trace per render, NN.bmp and NN.txt. The settings enable one shape, one rotation, one
# zoom combination or one join mode at a time, so that every value is drawn; sizes, object sizes
# (0 draws polylines) and colour steps turn with the render's number.
# Usage: tests/render-set.sh OUTPUT-FOLDER RENDERER [WRAPPER...]   (e.g. qemu-s390x -L /usr/...)
set -uo pipefail
out=$1 renderer=$2
shift 2
mkdir -p "$out"
sizes=(640x480 320x240 800x600 97x61 1024x768)
radii=(8 0 25 150 3 500 12)
colours=(10 30 50)
seed=1000
n=0
for option in shape:{2,4,8,16,32,64,128,256} rotation:{2,4,8} join:{1,2,4} zoom:0 \
  zoom:{2,4,8,16}+{32,64,128}+{256,512}; do
  shape=510 rotation=14 zoom=1022 join=7
  declare "${option%%:*}=$((${option#*:}))"
  seed=$((seed * 7 % 1000003 + n))
  size=${sizes[n % ${#sizes[@]}]} radius=${radii[n % ${#radii[@]}]} colour=${colours[n % ${#colours[@]}]}
  name=$(printf '%s/%02d' "$out" "$n")
  n=$((n + 1))
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n'
    printf '"%s"=dword:%08x\r\n' ObjectShape "$shape" ObjectRotation "$rotation" ZoomOption "$zoom" \
      JoinTheDots "$join" RadiusFactor "$radius" ColourOption "$colour"
  } >"$name.reg"
  "$@" "$renderer" --seed "$seed" --size "$size" --settings "$name.reg" --figures 3 --trace \
    --out "$name.bmp" >"$name.txt" 2>&1 || echo "render $name failed" >>"$name.txt"
  rm -f "$name.reg"
done
