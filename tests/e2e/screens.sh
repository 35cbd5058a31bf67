#!/usr/bin/env bash
# The wizard's look: scripts/run-setup walks it against this run's Windows
# build (ZRV_E2E_BUILD) on an Xvfb of its own, and scripts/check-screens
# compares its screenshots with docs/screens/. Both builds must look alike,
# so both are compared with the same pages; a 32-bit build is looked at
# only where it runs natively (under emulation the walk's waits are far too
# short, and scripts/test gives emulated hosts the x86-64 build's look).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib-wine.sh"

zrv_wine_or_skip
: "${ZRV_E2E_WORK:?set by CTest}" "${ZRV_E2E_BUILD:?set by CTest}"
zrv_i386_resolve
if [ "$ZRV_E2E_BUILD" = win32 ] && [ "$ZRV_I386" != native ]; then
  echo "SKIPPED: NOTICE: the 32-bit build's look is compared only where it runs natively (here: $ZRV_I386)"
  exit 77
fi
walk=$ZRV_E2E_WORK/screens-walk
unset DISPLAY
bash "$root/scripts/run-setup" --no-build --build "$ZRV_E2E_BUILD" --out "$walk"
bash "$root/scripts/check-screens" "$walk/screens"
rm -rf "$walk/wineprefix-$ZRV_E2E_BUILD"
mkdir -p "$ZRV_E2E_WORK/passed"
touch "$ZRV_E2E_WORK/passed/screens"
