#!/usr/bin/env bash
# The Debian package from the Release tree, installed with apt, run by the real XScreenSaver
# and xsecurelock as an unprivileged user, then removed.
root=$(cd "$(dirname "$0")/../.." && pwd)
exec bash "$root/tests/install/hosts.sh" "$root/build"
