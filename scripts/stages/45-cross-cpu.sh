#!/usr/bin/env bash
# The same pictures on other CPUs: aarch64, i686 (32-bit x86, SSE2) and big-endian s390x. For
# each, Debian's cross compiler builds the core, the unit tests of the engine, canvas, image and
# settings, and spirandel-render; the tests run under qemu-user, and the renderer draws the set
# of figures of the Windows comparison, whose pictures and traces must equal amd64's byte for
# byte. No Qt, X11 or benchmarks: the stage stays within a few minutes on two cores.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

# amd64's pictures come from the Linux build's renderer, as the Windows stage's do; a tree of
# its own when the stage runs alone.
reference=build/spirandel-render
if [ ! -x "$reference" ]; then
  cmake --preset cross-amd64 >/dev/null
  nice cmake --build --preset cross-amd64 -j2 --target spirandel-render
  reference=build-cross-amd64/spirandel-render
fi
rm -rf build-cross-amd64/renders
bash tests/render-set.sh build-cross-amd64/renders "$reference"

# Runs one CPU's tests and renders and compares them; in the background while the next CPU
# builds. Every test program has a timeout (cmake/CrossTesting.cmake), so a hang fails.
check_cpu() {
  local cpu=$1 dir=$2 qemu=$3
  local failures=0 name
  (cd "$dir" && ctest --output-on-failure -R '^(engine|canvas|image|settings)_tests$') \
    >"$dir/ctest.log" 2>&1 || { cat "$dir/ctest.log"; failures=$((failures + 1)); }
  rm -rf "$dir/renders"
  bash tests/render-set.sh "$dir/renders" "$dir/spirandel-render" "$qemu" -L "/usr/$4"
  local renders=0 label file
  while read -r name label; do
    renders=$((renders + 1))
    for file in "$name.txt" "$name.bmp"; do
      if ! cmp -s "build-cross-amd64/renders/$file" "$dir/renders/$file"; then
        echo "FAIL: $cpu: $file ($label) differs from amd64's"
        failures=$((failures + 1))
      fi
    done
  done <build-cross-amd64/renders/renders.txt
  echo "$cpu: $(grep -Eo '[0-9]+% tests passed.*' "$dir/ctest.log"), $renders renders" \
    "compared, $failures failure(s)"
  [ "$failures" -eq 0 ]
}

# One CPU after another, each build with both cores, through the presets cross-NAME of
# CMakePresets.json: Release at -O2, the sources of each target compiled as one unit (the tests
# ask for the CPU's arithmetic and byte order, not the compiler's last optimisations, and this
# cuts the build time by two thirds).
pids=()
status=0
for cpu in aarch64:aarch64:aarch64-linux-gnu i686:i386:i686-linux-gnu s390x:s390x:s390x-linux-gnu; do
  IFS=: read -r name qemu triplet <<<"$cpu"
  dir=build-cross-$name
  cmake --preset "cross-$name" >/dev/null
  if ! nice cmake --build --preset "cross-$name" -j2 --target engine_tests canvas_tests image_tests \
    settings_tests spirandel-render >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"
    echo "FAIL: $name: the build failed"
    status=1
    continue
  fi
  check_cpu "$name" "$dir" "qemu-$qemu" "$triplet" &
  pids+=($!)
done

for pid in "${pids[@]}"; do
  wait "$pid" || status=1
done
exit $status
