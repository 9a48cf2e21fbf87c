#!/usr/bin/env bash
# The Debian package from the Release tree, checked by lintian and the desktops' validators,
# installed with apt, run by the real XScreenSaver, xsecurelock and MATE screen saver as an
# unprivileged user, then removed.
root=$(cd "$(dirname "$0")/../.." && pwd)
exec bash "$root/tests/install/hosts.sh" "$root/build"
