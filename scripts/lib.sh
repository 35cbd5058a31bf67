# Shared by the project's scripts: where things are, and how to get what
# the machine lacks. Sourced, not run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-2}

# Every Debian package the builds and tests use.
# wine32 is installed even where the kernel cannot run it: qemu-user-static
# then emulates it (scripts/lib-i386.sh), and binutils assembles the probe
# that tells which way this host takes. Wine only recommends the fonts the
# wizard is drawn with, and recommendations are not installed: fonts-wine
# (Tahoma for dialog text, Marlett for the caption buttons) and
# fonts-liberation (Arial's metrics, for the backdrop's titles). Without
# them every text is set in whatever face the system has, and the close
# box shows an "r" (scripts/check-screens notices). nsis's makensis builds
# the peer installer that scripts/measure-launch holds the setup against.
packages=(
  cmake g++ make binutils googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32 wine64 fonts-wine fonts-liberation
  qemu-user-static xvfb xauth imagemagick mscompress libmspack-dev fp-utils-3.2.2 locales osslsigncode openssl
  nsis
)

# The Windows builds: win32 is the product, packed into out/Setup.exe; win64
# builds the same sources for x86-64, packed into out/x64/Setup.exe, so that
# hosts which run no 32-bit code can test them under 64-bit Wine.
windows_builds=(win32 win64)
windows_toolchain() {
  case $1 in
    win32) echo "$root/cmake/mingw-i686.cmake" ;;
    win64) echo "$root/cmake/mingw-x86_64.cmake" ;;
  esac
}
windows_out() {
  case $1 in
    win32) echo "$root/out" ;;
    win64) echo "$root/out/x64" ;;
  esac
}

# Configures build/bench (Release, no sanitizers, benchmarks on) and builds
# one benchmark there: $bench_dir/tests/bench/TARGET.
#   zrv_build_bench TARGET
zrv_build_bench() {
  bench_dir=$root/build/bench
  cmake -S "$root" -B "$bench_dir" -DCMAKE_BUILD_TYPE=Release -DZRV_SANITIZE=OFF -DZRV_BENCH=ON >/dev/null
  cmake --build "$bench_dir" --target "$1"
}

# The pages docs/screens/ keeps of a walk by scripts/run-setup at DPI (empty:
# the default resolution), by file name: PAGE.png, or PAGE-<DPI>dpi.png.
zrv_kept_screens() {
  local dpi=$1 file name
  for file in "$root"/docs/screens/*.png; do
    name=$(basename "$file")
    if [ -n "$dpi" ]; then
      [[ $name == *-"$dpi"dpi.png ]] && echo "$name"
    else
      [[ $name =~ -[0-9]+dpi\.png$ ]] || echo "$name"
    fi
  done
  return 0
}

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
