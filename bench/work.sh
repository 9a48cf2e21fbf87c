# shellcheck shell=bash
# What every measurement script starts with: a work folder, and the processes it starts (PIDS),
# all ended and removed on exit however the script ends.
WORK=$(mktemp -d)
PIDS=()
bench_cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap bench_cleanup EXIT
