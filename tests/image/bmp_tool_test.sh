#!/usr/bin/env bash
# spirandel-bmp on good, hostile and missing files and on bad usage: the exit codes and the
# one-line report the tool promises.
# usage: bmp_tool_test.sh SPIRANDEL_BMP WORK_DIR
set -u
tool=$1
work=$2
mkdir -p "$work"
failures=0

expect() {  # expect DESCRIPTION WANTED_STATUS COMMAND...
  local what=$1 want=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL $what: exit $got, want $want"
    cat "$work/out" "$work/err"
    failures=$((failures + 1))
  fi
}

# A 3 x 2 24-bit file, written byte by byte.
good=$work/good.bmp
printf 'BM\x4e\0\0\0\0\0\0\0\x36\0\0\0' >"$good"
printf '\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x18\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' >>"$good"
head -c 24 /dev/zero >>"$good"

expect "info on a good file" 0 "$tool" info "$good"
if [ "$(cat "$work/out")" != "width=3 height=2 bits=24 colours=0 compression=0" ]; then
  echo "FAIL info line: $(cat "$work/out")"
  failures=$((failures + 1))
fi

expect "copy of a good file" 0 "$tool" copy "$good" "$work/copy.bmp"
cmp -s "$good" "$work/copy.bmp" || { echo "FAIL copy differs"; failures=$((failures + 1)); }

head -c 60 "$good" >"$work/short.bmp"
expect "info on a truncated file" 1 "$tool" info "$work/short.bmp"
grep -q "short.bmp" "$work/err" || { echo "FAIL no message names the file"; failures=$((failures + 1)); }
expect "info on a missing file" 1 "$tool" info "$work/missing.bmp"
expect "info on a folder" 1 "$tool" info "$work"
expect "copy from a hostile file" 1 "$tool" copy "$work/short.bmp" "$work/never.bmp"
[ ! -e "$work/never.bmp" ] || { echo "FAIL copy wrote a file"; failures=$((failures + 1)); }
expect "copy into a missing folder" 1 "$tool" copy "$good" "$work/no/such/dir.bmp"

expect "no arguments" 2 "$tool"
grep -q "usage" "$work/err" || { echo "FAIL no usage text"; failures=$((failures + 1)); }
expect "unknown command" 2 "$tool" show "$good"
expect "info without a file" 2 "$tool" info
expect "copy with one file" 2 "$tool" copy "$good"
expect "too many arguments" 2 "$tool" info "$good" "$good"

[ "$failures" -eq 0 ] && echo "spirandel-bmp behaves" || exit 1
