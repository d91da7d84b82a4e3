# Shared by scripts/test and scripts/demo: package set-up and the build.
# Sourced, not run.

BCE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and testing need, from Debian's packages only.
BCE_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins
  libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libtiff-dev libzxing-dev libzint-dev libzbar-dev
  sqlite3 postgresql fonts-dejavu-core fonts-dejavu-extra
)
# What showing the tool on a screen needs in addition.
BCE_DEMO_PACKAGES=(xvfb openbox imagemagick xdotool xauth)

say() { printf '==> %s\n' "$*"; }

bce_ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    say "Debian packages: all present"
    return 0
  fi
  say "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

bce_build() {
  local preset=${1:-release}
  say "Configuring (preset $preset)"
  cmake --preset "$preset" -S "$BCE_ROOT" >/dev/null
  say "Building"
  cmake --build --preset "$preset" -j "$(nproc)"
}
