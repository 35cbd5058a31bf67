#!/usr/bin/env bash
# Fails naming every shipped file that would come out differently from
# another clean build of the same commit: a Windows program whose PE header
# carries a link time (anything but 0 or the commit's own date), or any file
# that holds the path of the folder the tree was built in.
#
# usage: check_build_traces.sh SOURCE_DIR FILE...
# Exit 77 (skipped) when a file has not been built.
set -euo pipefail

source_dir=${1:?usage: check_build_traces.sh SOURCE_DIR FILE...}
shift
for file in "$@"; do
  [[ -f $file ]] || { echo "not built: $file; run scripts/build first"; exit 77; }
done
commit_time=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || true)

# An unsigned little-endian 32-bit field of FILE at OFFSET.
u32_at() { od -An -tu4 --endian=little -j "$2" -N4 "$1" | tr -d ' '; }

failed=0
for file in "$@"; do
  problems=()
  if [[ $(head -c2 "$file") == MZ ]]; then
    # The COFF header follows the "PE\0\0" signature; its stamp is 4 bytes in.
    stamp=$(u32_at "$file" $(($(u32_at "$file" 60) + 8)))
    [[ $stamp == 0 || $stamp == "$commit_time" ]] ||
      problems+=("its PE header is stamped $stamp ($(date -u -d "@$stamp" '+%F %T') UTC), neither 0 nor the commit's date")
  fi
  grep -qaF "$source_dir" "$file" && problems+=("it holds the build folder's path $source_dir")
  for problem in "${problems[@]}"; do
    echo "FAIL $file: $problem"
  done
  ((${#problems[@]} == 0)) || failed=$((failed + 1))
done
((failed == 0)) || exit 1
echo "ok   none of the $# files carries a link time or the build folder's path"
