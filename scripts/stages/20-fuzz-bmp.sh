#!/usr/bin/env bash
# Fuzzes the BMP reader and writer (CDibFile::Load, the pixel operations, Save and Load again)
# with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer for a bounded time,
# starting from the seed corpus in fuzz/corpus/bmp. Fails on any crash, sanitizer report, leak,
# timeout or a saved picture that does not load back the same.
# FUZZ_SECONDS overrides the run time (default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build-fuzz
seconds=${FUZZ_SECONDS:-30}

compiler=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$compiler" ]; then
  echo "20-fuzz-bmp: clang++ not found (scripts/deps/apt-image.txt names clang-14)" >&2
  exit 1
fi

mkdir -p "$out/bmp-corpus" "$out/bmp-artifacts"
"$compiler" -std=c++20 -g -O1 -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root"/src/image/*.cpp "$root/fuzz/bmp/BmpReadFuzzer.cpp" \
  -o "$out/bmp-read-fuzzer"

# New inputs go to build-fuzz/bmp-corpus; the seeds in the repository are only read.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$out/bmp-read-fuzzer" "$out/bmp-corpus" "$root/fuzz/corpus/bmp" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$out/bmp-artifacts/" -print_final_stats=1 >"$out/bmp-fuzz.log" 2>&1 || status=$?
grep -E "^(INFO: seed corpus|#[0-9]+ *DONE|stat::number_of_executed_units|stat::average_exec_per_sec)|ERROR|SUMMARY|runtime error" \
  "$out/bmp-fuzz.log" || true
if [ "$status" -ne 0 ]; then
  tail -n 60 "$out/bmp-fuzz.log" >&2
  echo "20-fuzz-bmp: the fuzzer stopped with status $status; see $out/bmp-fuzz.log and $out/bmp-artifacts" >&2
  exit 1
fi
echo "20-fuzz-bmp: ${seconds}s without a crash or sanitizer report"
