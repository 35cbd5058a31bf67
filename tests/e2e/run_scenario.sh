#!/usr/bin/env bash
# Runs one end-to-end scenario: a copy of the run's Wine prefix, the setup
# program, its stand-in payload files and zauto inside it under C:\zrvtest,
# and the scenario's script. With --platform-contract instead of a
# scenario, runs the platform contract program (tests/platform/) there.
#
# A scenario may ask for drives with lines of its own, read before Wine
# starts (zauto takes them for comments):
#   #@ floppy a:            a scratch folder as drive a:, which Wine reports
#                           as removable
#   #@ small-drive x: 400k  a tmpfs of that size as fixed drive x: (needs
#                           root; the scenario is skipped where it cannot be
#                           mounted)
#   #@ signed               Setup.exe signed with a throwaway certificate,
#                           which `osslsigncode verify` must accept
#   #@ damaged-copies       beside Setup.exe: Setup-kisa.exe (4 KiB cut off),
#                           Setup-uzun.exe (1 KiB appended), Setup-oyun.exe and
#                           Setup-ses.exe (one bit flipped in the game's piece,
#                           in a sound's piece), and Setup-sahte.exe (one byte
#                           of the game changed and the game's digest in the
#                           file's own digest block recomputed to match);
#                           and a whole copy saved as a browser leaves a
#                           download, Setup.exe.download
#   #@ staging-link         at %TEMP%\Zrv5TMP a link, as any process of the
#                           user could make one, to C:\zrvtest\hedef, which
#                           holds copies of C:\zrvtest\kanarya.txt under that
#                           name and under a staged piece's (Zrv5.ex_)
#   #@ destination-link     at C:\Oyunlar\Zarvelo a link to C:\zrvtest\hedef,
#                           which holds a copy of C:\zrvtest\kanarya.txt
#   #@ locale C.UTF-8       Wine under that locale instead of the Turkish one
#                           (C.UTF-8: English, ANSI code page 1252)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib-wine.sh"

scenario=$1
if [ "$scenario" = --platform-contract ]; then
  name=platform_contract
  : "${ZRV_PLATFORM_CONTRACT_EXE:?set by CTest}"
  if [ ! -f "$ZRV_PLATFORM_CONTRACT_EXE" ]; then
    echo "FAILED: $ZRV_PLATFORM_CONTRACT_EXE is missing; scripts/build makes it"
    exit 1
  fi
else
  name=$(basename "$scenario" .zauto)
fi
zrv_wine_or_skip
: "${ZRV_E2E_WORK:?set by CTest}" "${ZRV_E2E_BUILD:?set by CTest}" "${ZRV_SETUP_EXE:?set by CTest}" \
  "${ZRV_ZAUTO_EXE:?set by CTest}"
payload_dir=${ZRV_E2E_PAYLOAD_DIR:-$(dirname "$ZRV_SETUP_EXE")/payload}
for program in "$ZRV_SETUP_EXE" "$ZRV_ZAUTO_EXE"; do
  if [ ! -f "$program" ]; then
    echo "FAILED: $program is missing; scripts/build makes it"
    exit 1
  fi
done
if [ ! -d "$payload_dir" ]; then
  echo "FAILED: the stand-in payload files are missing in $payload_dir; scripts/build makes them"
  exit 1
fi
zrv_wine_enter_build "$ZRV_E2E_BUILD" "$0" "$@"
template=$ZRV_E2E_WORK/template
if [ ! -f "$template/system.reg" ]; then
  echo "FAILED: no template prefix in $template (the e2e.wine_prefix test makes it)"
  exit 1
fi

prefix=$ZRV_E2E_WORK/$name
mounted=
cleanup() {
  zrv_wine_stop "$prefix"
  # Processes of a wineserver that was lost during the run are not the
  # current server's to end.
  zrv_wine_end_all "$prefix"
  if [ -n "$mounted" ]; then umount "$mounted" 2>/dev/null || true; fi
  zrv_stop_display
}
# A run that was cut short may have left its small drive mounted.
for stale in "$prefix"/drive_*_small; do
  if mountpoint -q "$stale" 2>/dev/null; then umount "$stale" || true; fi
done
zrv_wine_copy_prefix "$template" "$prefix"
export WINEPREFIX=$prefix
# Today's date as the setup writes it into its uninstall entry (Wine's clock
# is this host's).
export ZRV_TODAY=$(date +%Y%m%d)
zrv_wine_session_env "$ZRV_E2E_WORK/locale"

add_floppy() {  # add_floppy a:
  local folder=$prefix/drive_${1%:}_floppy
  mkdir -p "$folder"
  ln -sfn "$folder" "$prefix/dosdevices/$1"
}

add_small_drive() {  # add_small_drive x: 400k
  local letter=$1 size=$2 folder=$prefix/drive_${1%:}_small
  mkdir -p "$folder"
  if ! mount -t tmpfs -o "size=$size" zrv-e2e-small "$folder" 2>/dev/null; then
    echo "SKIPPED: cannot mount a $size tmpfs here (needs root and mount rights); the small-drive checks did not run"
    rm -rf "$prefix"
    exit 77
  fi
  mounted=$folder
  ln -sfn "$folder" "$prefix/dosdevices/$letter"
  # Wine's mount manager reads the drive types when the prefix starts.
  printf '\n[Software\\\\Wine\\\\Drives] 1700000000\n"%s"="hd"\n' "$letter" >>"$prefix/system.reg"
}

test_dir=$prefix/drive_c/zrvtest

add_staging_link() {
  local temp target=$test_dir/hedef
  temp=$(find "$prefix/drive_c/users" -mindepth 2 -maxdepth 2 -name Temp ! -path '*/Public/*' | head -n 1)
  if [ -z "$temp" ]; then
    echo "FAILED: the prefix has no user temporary folder"
    exit 1
  fi
  mkdir -p "$target"
  echo "dokunma" >"$test_dir/kanarya.txt"
  cp "$test_dir/kanarya.txt" "$target/kanarya.txt"
  cp "$test_dir/kanarya.txt" "$target/Zrv5.ex_"
  ln -sfn "$target" "$temp/Zrv5TMP"
}

add_destination_link() {
  mkdir -p "$test_dir/hedef" "$prefix/drive_c/Oyunlar"
  echo "dokunma" >"$test_dir/kanarya.txt"
  cp "$test_dir/kanarya.txt" "$test_dir/hedef/kanarya.txt"
  ln -sfn "$test_dir/hedef" "$prefix/drive_c/Oyunlar/Zarvelo"
}

# Signs the copy as a publisher would, with a certificate made for this run.
sign_setup() {
  local keys=$ZRV_E2E_WORK/signing
  mkdir -p "$keys"
  if [ ! -f "$keys/cert.pem" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Zarvelo Test Publisher" -days 2 \
      -keyout "$keys/key.pem" -out "$keys/cert.pem" >/dev/null 2>&1
  fi
  bash "$here/../../scripts/sign" "$keys/cert.pem" "$keys/key.pem" "$test_dir/Setup.exe" >/dev/null
  if ! osslsigncode verify -CAfile "$keys/cert.pem" -in "$test_dir/Setup.exe" >/dev/null 2>&1; then
    echo "FAILED: osslsigncode does not verify the signed setup program"
    exit 1
  fi
}

flip_bit() {  # flip_bit FILE OFFSET: one bit of the byte at OFFSET
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\$(printf '%03o' $((byte ^ 0x10)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# A forger's copy: one byte of the game (the last piece) changed, and the
# last digest of the file's own digest block (the game's, in manifest
# order) recomputed with Python's SHA-256 to match. The copy agrees with
# itself; only the digests of an image already running can tell.
forge_copy() {  # forge_copy SETUP COPY GAME_LENGTH
  python3 - "$@" <<'EOF'
import hashlib, sys
setup, copy, game = sys.argv[1], sys.argv[2], int(sys.argv[3])
data = bytearray(open(setup, "rb").read())
block = data.find(b"ZRVSUM01")
if block < 0 or data.find(b"ZRVSUM01", block + 1) >= 0:
    sys.exit("forge_copy: no single digest block in " + setup)
data[len(data) - game // 2] ^= 0x01
last_slot = block + 8 + 7 * 32
data[last_slot:last_slot + 32] = hashlib.sha256(data[len(data) - game:]).digest()
open(copy, "wb").write(data)
EOF
}

make_damaged_copies() {
  local setup=$test_dir/Setup.exe size game=320903
  size=$(stat -c %s "$setup")
  head -c $((size - 4096)) "$setup" >"$test_dir/Setup-kisa.exe"
  { cat "$setup"; head -c 1024 /dev/zero; } >"$test_dir/Setup-uzun.exe"
  cp "$setup" "$test_dir/Setup-oyun.exe"
  flip_bit "$test_dir/Setup-oyun.exe" $((size - game / 2))
  cp "$setup" "$test_dir/Setup-ses.exe"
  flip_bit "$test_dir/Setup-ses.exe" $((size - game - 1000))  # in the piece before the game's
  forge_copy "$setup" "$test_dir/Setup-sahte.exe" $game
  cp "$setup" "$test_dir/Setup.exe.download"
}

# The programs and files of a run in the prefix's C:\zrvtest.
put_run_files() {
  mkdir -p "$test_dir/payload"
  cp "$ZRV_SETUP_EXE" "$test_dir/Setup.exe"
  cp "$ZRV_ZAUTO_EXE" "$test_dir/zauto.exe"
  cp "$payload_dir"/* "$test_dir/payload/"
  if [ "$name" = platform_contract ]; then
    cp "$ZRV_PLATFORM_CONTRACT_EXE" "$test_dir/zplatform_contract.exe"
  else
    cp "$scenario" "$test_dir/scenario.zauto"
  fi
}

trap cleanup EXIT
put_run_files
if [ "$name" != platform_contract ]; then
  while read -r marker what arg size _; do
    [ "$marker" = "#@" ] || continue
    case $what in
      floppy) add_floppy "$arg" ;;
      small-drive) add_small_drive "$arg" "$size" ;;
      signed) sign_setup ;;
      damaged-copies) make_damaged_copies ;;
      locale) export LANG=$arg ;;
      staging-link) add_staging_link ;;
      destination-link) add_destination_link ;;
      *) echo "FAILED: unknown request '#@ $what' in $scenario"; exit 1 ;;
    esac
  done <"$scenario"
fi
zrv_ensure_display

status=0
started=$SECONDS
# Past this a run has hung for good; zauto's own waits fail much sooner.
limit=$((150 * ${ZRV_TIMEOUT_SCALE:-1}))
if [ "$name" = platform_contract ]; then
  run=('C:\zrvtest\zplatform_contract.exe' 'C:\zrvtest\Setup.exe' 'C:\zrvtest\payload')
else
  run=('C:\zrvtest\zauto.exe' 'C:\zrvtest\scenario.zauto')
fi
zrv_wine_run_watched "$prefix" "$limit" "$zrv_wine_loader" "${run[@]}" || status=$?
# A lost server is Wine's fault, not the scenario's. A run that asks for no
# drives, signing or copies of its own goes once more, from a fresh copy of
# the template; any other fails as it is.
if [ "$status" -eq 125 ] && { [ "$name" = platform_contract ] || ! grep -q '^#@' "$scenario"; }; then
  echo "NOTICE: running $name once more, in a fresh prefix, after its wineserver was lost"
  zrv_wine_copy_prefix "$template" "$prefix"
  put_run_files
  status=0
  zrv_wine_run_watched "$prefix" "$limit" "$zrv_wine_loader" "${run[@]}" || status=$?
fi
cleanup
trap - EXIT
if [ "$status" -eq 0 ]; then
  rm -rf "$prefix"
  # scripts/test counts these to say what each build was proved with.
  mkdir -p "$ZRV_E2E_WORK/passed"
  touch "$ZRV_E2E_WORK/passed/$name"
else
  echo "$name failed (exit $status) after $((SECONDS - started)) s; its prefix is kept in $prefix"
fi
exit "$status"
