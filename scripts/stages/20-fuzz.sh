#!/usr/bin/env bash
# Fuzzes what the program reads from outside, with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, each target for a bounded time from its seed corpus in
# fuzz/corpus/<target>:
#  - bmp: the BMP reader and writer (CDibFile::Load, the pixel operations, Save and Load again);
#  - settings: the settings file's text read into the record, written back and read again;
#  - cmdline: the command line, one argument per line, through the start-up to a mode.
# Fails on any crash, sanitizer report, leak, timeout or broken round trip. The targets
# (fuzz/CMakeLists.txt) are built on the real libraries in build-fuzz, the preset fuzz of
# CMakePresets.json. FUZZ_SECONDS overrides the run time per target (default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build-fuzz
seconds=${FUZZ_SECONDS:-30}

compiler=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$compiler" ]; then
  echo "20-fuzz: clang++ not found (scripts/deps/apt-image.txt names clang-14)" >&2
  exit 1
fi

# run NAME MAX_LEN: new inputs go to build-fuzz/NAME-corpus; the seeds in the repository are
# only read.
run() {
  mkdir -p "$out/$1-corpus" "$out/$1-artifacts"
  local status=0
  "$out/$1-fuzzer" "$out/$1-corpus" "$root/fuzz/corpus/$1" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$2" \
    -artifact_prefix="$out/$1-artifacts/" -print_final_stats=1 >"$out/$1-fuzz.log" 2>&1 || status=$?
  grep -E "^(INFO: seed corpus|#[0-9]+ *DONE|stat::number_of_executed_units|stat::average_exec_per_sec)|ERROR|SUMMARY|runtime error" \
    "$out/$1-fuzz.log" | sed "s/^/$1: /" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$out/$1-fuzz.log" >&2
    echo "20-fuzz: the $1 fuzzer stopped with status $status; see $out/$1-fuzz.log and $out/$1-artifacts" >&2
    return 1
  fi
}

cd "$root"
cmake --preset fuzz -DCMAKE_CXX_COMPILER="$compiler" >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
run bmp 65536 || status=1
run settings 2048 || status=1
run cmdline 1024 || status=1
[ "$status" -eq 0 ] && echo "20-fuzz: ${seconds}s per target without a crash or sanitizer report"
exit $status
