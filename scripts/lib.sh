# Shared by the project's scripts: where things are, and how to get what
# the machine lacks. Sourced, not run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-2}

# Every Debian package the builds and tests use.
packages=(
  cmake g++ make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3
  g++-mingw-w64-i686 wine wine32 xvfb xauth imagemagick
  mscompress libmspack-dev fp-utils-3.2.2 locales
)

missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || echo "$pkg"
  done
}

# Installs whatever is missing; a warm machine skips apt entirely.
ensure_packages() {
  local missing
  missing=$(missing_packages "${packages[@]}")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (run as root to install): $missing" >&2
    return 1
  fi
  echo "installing: $missing"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing </dev/null
}
