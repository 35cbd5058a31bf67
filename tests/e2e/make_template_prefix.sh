#!/usr/bin/env bash
# Makes the Wine prefix that every end-to-end scenario of this run against
# one Windows build (ZRV_E2E_BUILD) copies.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib-wine.sh"

zrv_wine_or_skip
: "${ZRV_E2E_WORK:?set by CTest}" "${ZRV_E2E_BUILD:?set by CTest}"
zrv_wine_enter_build "$ZRV_E2E_BUILD" "$0" "$@"
template=$ZRV_E2E_WORK/template
rm -rf "$ZRV_E2E_WORK"
zrv_wine_session_env "$ZRV_E2E_WORK/locale"
zrv_wine_make_prefix "$template" unmanaged
echo "template prefix ready in $template"
