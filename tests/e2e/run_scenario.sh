#!/usr/bin/env bash
# Runs one end-to-end scenario: a copy of the run's Wine prefix, the setup
# program and zauto inside it under C:\zrvtest, and the scenario's script.
# With --platform-checks instead of a scenario, runs zplatform_checks there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib-wine.sh"

scenario=$1
if [ "$scenario" = --platform-checks ]; then
  name=platform_checks
  : "${ZRV_PLATFORM_CHECKS_EXE:?set by CTest}"
  if [ ! -f "$ZRV_PLATFORM_CHECKS_EXE" ]; then
    echo "FAILED: $ZRV_PLATFORM_CHECKS_EXE is missing; scripts/build makes it"
    exit 1
  fi
else
  name=$(basename "$scenario" .zauto)
fi
if ! zrv_wine_available; then
  echo "SKIPPED: Wine is not installed (scripts/test installs it)"
  exit 77
fi
: "${ZRV_E2E_WORK:?set by CTest}" "${ZRV_SETUP_EXE:?set by CTest}" "${ZRV_ZAUTO_EXE:?set by CTest}"
for program in "$ZRV_SETUP_EXE" "$ZRV_ZAUTO_EXE"; do
  if [ ! -f "$program" ]; then
    echo "FAILED: $program is missing; scripts/build makes it"
    exit 1
  fi
done
template=$ZRV_E2E_WORK/template
if [ ! -f "$template/system.reg" ]; then
  echo "FAILED: no template prefix in $template (the e2e.wine_prefix test makes it)"
  exit 1
fi

prefix=$ZRV_E2E_WORK/$name
zrv_wine_copy_prefix "$template" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all
zrv_ensure_display
trap 'zrv_wine_stop "$prefix"; zrv_stop_display' EXIT

test_dir=$prefix/drive_c/zrvtest
mkdir -p "$test_dir"
cp "$ZRV_SETUP_EXE" "$test_dir/Setup.exe"
cp "$ZRV_ZAUTO_EXE" "$test_dir/zauto.exe"
status=0
if [ "$name" = platform_checks ]; then
  cp "$ZRV_PLATFORM_CHECKS_EXE" "$test_dir/zplatform_checks.exe"
  wine 'C:\zrvtest\zplatform_checks.exe' || status=$?
else
  cp "$scenario" "$test_dir/scenario.zauto"
  wine 'C:\zrvtest\zauto.exe' 'C:\zrvtest\scenario.zauto' || status=$?
fi
zrv_wine_stop "$prefix"
if [ "$status" -eq 0 ]; then
  rm -rf "$prefix"
else
  echo "$name failed (exit $status); its prefix is kept in $prefix"
fi
exit "$status"
