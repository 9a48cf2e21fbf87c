# Shared by scripts/run and scripts/test: installing what is missing, and the two builds.
# shellcheck shell=bash

SPIRANDEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs every Debian package named in scripts/deps/apt-*.txt that is not installed yet,
# so that a second run installs nothing and touches no package list.
ensure_packages() {
  local wanted missing=()
  wanted=$(cat "$SPIRANDEL_ROOT"/scripts/deps/apt-*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
  for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build_tree PRESET [cmake options...]: configures and builds one tree of CMakePresets.json,
# which names its folder and options (warnings as errors among them: our own scripts hold the
# code to that; a plain cmake build does not).
build_tree() {
  local preset=$1; shift
  (cd "$SPIRANDEL_ROOT" && cmake --preset "$preset" "$@" >/dev/null &&
    cmake --build --preset "$preset" -j "$(nproc)")
}
