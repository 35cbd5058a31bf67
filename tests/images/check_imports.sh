#!/usr/bin/env bash
# Reads the import table of each Windows program given and fails naming every
# DLL it imports that Windows does not always take from System32. The loader
# resolves imports before the program's first instruction, so restricting
# the DLL search at run time cannot protect them: a DLL planted beside a
# setup program that runs as administrator would load with those rights.
#
# With --unwanted, it also fails naming each of the listed DLLs an image
# imports (comma-separated names without ".dll"): system libraries that the
# program looks up late so that they are not loaded before it shows.
#
# usage: check_imports.sh OBJDUMP OBJCOPY [--unwanted DLL,...] IMAGE...
#        (binutils for mingw-w64)
# Exit 77 (skipped) when an image has not been built.
set -euo pipefail

objdump=${1:?usage: check_imports.sh OBJDUMP OBJCOPY [--unwanted DLL,...] IMAGE...}
objcopy=${2:?usage: check_imports.sh OBJDUMP OBJCOPY [--unwanted DLL,...] IMAGE...}
shift 2
declare -A unwanted_dll
if [[ ${1:-} == --unwanted ]]; then
  IFS=, read -ra names <<<"${2:?--unwanted needs a list of DLL names}"
  for dll in "${names[@]}"; do
    unwanted_dll[$dll]=1
  done
  shift 2
fi

# The names the KnownDLLs key (HKLM\SYSTEM\CurrentControlSet\Control\Session
# Manager\KnownDLLs) lists on Windows 7 and on Windows 10 and 11 alike: the
# loader maps these from System32 whatever the search order says.
declare -A known_dll
for dll in advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi \
  ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32; do
  known_dll[$dll]=1
done
# ntdll is not listed there because it needs no listing: the kernel maps it
# from System32 into every process before the loader runs.
known_dll[ntdll]=1
# comctl32 is no KnownDLL, but a program whose manifest depends on the
# Common-Controls assembly gets it from the side-by-side store, never from
# the search path.
common_controls_assembly="Microsoft.Windows.Common-Controls"

missing=()
for image in "$@"; do
  [[ -f $image ]] || missing+=("$image")
done
if ((${#missing[@]})); then
  printf 'not built: %s\n' "${missing[@]}"
  echo "run scripts/build first"
  exit 77
fi

# The DLL names of the image's import table, lower case, without ".dll".
imported_dlls() {
  "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr '[:upper:]' '[:lower:]' |
    sed 's/\.dll$//'
}

# Whether the image's resources hold a manifest naming the Common-Controls
# assembly.
manifest_names_common_controls() {
  local resources
  resources=$(mktemp)
  "$objcopy" -O binary --only-section=.rsrc "$1" "$resources" 2>/dev/null || true
  local found=1
  grep -qaF "$common_controls_assembly" "$resources" && found=0
  rm -f "$resources"
  return $found
}

passed=0
failed=0
for image in "$@"; do
  dlls=$(imported_dlls "$image") || dlls=
  if [[ -z $dlls ]]; then
    echo "FAIL $image: no import table found (not a Windows program, or objdump could not read it)"
    failed=$((failed + 1))
    continue
  fi
  bad=()
  late=()
  for dll in $dlls; do
    [[ -n ${unwanted_dll[$dll]:-} ]] && late+=("$dll.dll")
    [[ -n ${known_dll[$dll]:-} ]] && continue
    [[ $dll == comctl32 ]] && manifest_names_common_controls "$image" && continue
    bad+=("$dll.dll")
  done
  if ((${#bad[@]})); then
    echo "FAIL $image imports ${bad[*]}, which Windows may load from the program's own folder"
    failed=$((failed + 1))
  elif ((${#late[@]})); then
    echo "FAIL $image imports ${late[*]}, which it should look up when it needs them"
    failed=$((failed + 1))
  else
    echo "ok   $image imports only $(echo $dlls | sed 's/ /, /g')"
    passed=$((passed + 1))
  fi
done
echo "$passed passed, $failed failed"
((failed == 0))
