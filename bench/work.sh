# shellcheck shell=bash
# What every measurement script starts with: a work folder, and the processes it starts (PIDS),
# all ended and removed on exit however the script ends. A process that leads a group of its
# own (started with setsid) ends with its group.
WORK=$(mktemp -d)
PIDS=()
bench_cleanup() {
  for pid in "${PIDS[@]}"; do kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap bench_cleanup EXIT

# write_pace CONFIG_HOME IMAGES_PER_SECOND: the saver's stored pace, every other setting default.
write_pace() {
  mkdir -p "$1/tallowyn/spir_ss"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n"ImagesPerSec"=dword:%08x\n' \
    "$2" >"$1/tallowyn/spir_ss/Settings.reg"
}
