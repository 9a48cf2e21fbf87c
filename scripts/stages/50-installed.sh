#!/usr/bin/env bash
# The program installed into a temporary prefix with cmake --install and run from there.
root=$(cd "$(dirname "$0")/../.." && pwd)
exec bash "$root/tests/install/installed.sh" "$root/build"
