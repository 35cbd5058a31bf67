# Wine and Xvfb helpers for the scripts and the end-to-end tests. Sourced,
# not run. Every process started here is ended by its pid, every Wine
# prefix by its own wineserver; nothing is killed by name.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib-i386.sh"

zrv_wine_available() {
  [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] && command -v wineserver >/dev/null 2>&1
}

# Ends an end-to-end test as skipped (CTest's 77) where Wine is missing.
zrv_wine_or_skip() {
  zrv_wine_available && return 0
  echo "SKIPPED: Wine is not installed (scripts/test installs it)"
  exit 77
}

# Points this shell's Wine at the loader for a Windows build: win32 (the
# shipped 32-bit programs, in a 32-bit prefix) or win64 (the x86-64 test
# build, in a 64-bit prefix). The loader is named because Debian's `wine`
# takes the 32-bit one whenever it is installed, even where it cannot run.
zrv_wine_loader=
zrv_wine_use() {
  case $1 in
    win32) zrv_wine_loader=/usr/lib/wine/wine; export WINEARCH=win32; unset WINELOADER ;;
    win64) zrv_wine_loader=/usr/lib/wine/wine64; export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
    *) echo "zrv_wine_use: no Windows build '$1' (win32 or win64)" >&2; return 2 ;;
  esac
}

# Chooses the Windows build a script runs under Wine and points Wine at it:
# BUILD when given, otherwise the one that runs at full speed here (the
# shipped 32-bit one where the host runs it natively, the x86-64 one
# otherwise). Sets build, setup (its packed Setup.exe) and zauto (its
# automation program); ends the script, named NAME in the message, where
# Wine is missing.
#   zrv_pick_build NAME [BUILD]
zrv_pick_build() {
  zrv_wine_available || { echo "$1: Wine is not installed (scripts/test installs it)" >&2; exit 1; }
  zrv_i386_resolve || exit 1
  build=${2:-$(zrv_full_speed_build)}
  zrv_wine_use "$build" || exit 2
  setup=$(windows_out "$build")/Setup.exe
  zauto=$root/build/$build/tests/e2e/automation/zauto.exe
}

# Ends the script, named NAME, when a file it needs was not built; HINT
# follows the message.
#   zrv_need_files NAME HINT FILE...
zrv_need_files() {
  local name=$1 hint=$2 file
  shift 2
  for file in "$@"; do
    [ -f "$file" ] || { echo "$name: $file is missing$hint" >&2; exit 1; }
  done
}

# Runs a Windows program, or a Wine tool such as wineboot or reg, with the
# loader chosen by zrv_wine_use.
zrv_wine() {
  if [ -z "$zrv_wine_loader" ]; then
    echo "zrv_wine: no Windows build chosen (zrv_wine_use win32|win64)" >&2
    return 2
  fi
  "$zrv_wine_loader" "$@"
}

# Gets a script that runs a Windows build ready: its Wine, and for the
# 32-bit build the way this host runs it (scripts/lib-i386.sh). Where the
# host cannot run it, ends the script as skipped (77) with a notice; where
# emulation needs a namespace of its own, runs the script again inside one.
#   zrv_wine_enter_build BUILD "$0" "$@"
zrv_wine_enter_build() {
  local build=$1
  shift
  zrv_wine_use "$build" || exit 2
  [ "$build" = win32 ] || return 0
  zrv_i386_resolve || exit 1
  if [ "$ZRV_I386" = none ]; then
    echo "SKIPPED: NOTICE: this host runs no 32-bit code and cannot emulate it; the 32-bit build was not run"
    exit 77
  fi
  zrv_i386_enter bash "$@" || exit 1
  export ZRV_TIMEOUT_SCALE
  ZRV_TIMEOUT_SCALE=$(zrv_i386_time_scale)
}

# Wine's helpers that no run of ours wants: the menu builder, which would
# write the setup's shortcuts into the host user's desktop menus, and the
# crash debugger, which cannot attach to an emulated process and waits for
# ever, so a crash ends the program instead.
zrv_wine_no_helpers="winemenubuilder.exe,winedbg.exe=d"

# Whether Wine has begun to update a prefix: its registry is on disk and the
# mark of an update (the timestamp of the wine.inf it installs) is there.
# wineboot writes that mark first and then has rundll32 install wine.inf, so
# the update may still be running.
zrv_wine_prefix_updated() {
  local prefix=$1 inf=/usr/share/wine/wine.inf
  [ -f "$prefix/system.reg" ] || return 1
  [ ! -f "$inf" ] || [ "$({ tr -d '\r\n' <"$prefix/.update-timestamp"; } 2>/dev/null)" = "$(stat -c %Y "$inf")" ]
}

# Whether a prefix is whole: updated, with the system DLLs that the update's
# rundll32 installs in place. A prefix without them still starts Wine, but
# every program then dies loading kernel32.dll.
zrv_wine_prefix_whole() {
  zrv_wine_prefix_updated "$1" && [ -f "$1/drive_c/windows/system32/kernel32.dll" ]
}

# The Wine processes of this host, by name, for a message about a boot that
# does not end (not this sed, whose own command line holds ".exe").
zrv_wine_processes() {
  ps -eo args= 2>/dev/null | sed -n '/^sed /d; s/.*\\\([^\\]*\.exe\).*/\1/p' | sort | uniq -c | tr -s ' \n' ' '
}

# The processor time, in clock ticks, that the processes of a prefix have
# used so far: a boot whose processes all wait, and none gains a tick, is
# stuck.
zrv_wine_prefix_ticks() {
  local prefix=$1 proc total=0 stat
  for proc in /proc/[0-9]*; do
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -xF "WINEPREFIX=$prefix" >/dev/null || continue
    stat=$(cat "$proc/stat" 2>/dev/null) || continue
    # The fields after the command's name, which may hold blanks: utime and
    # stime are the 12th and 13th of them.
    set -- ${stat##*) }
    total=$((total + ${12:-0} + ${13:-0}))
  done
  echo "$total"
}

# Boots a new prefix. Under emulation the boot outlasts the five minutes
# Wine's loader waits for it, and wineboot fails while the boot goes on; and
# a process of the boot may hang there for good (the shell's, say) after the
# prefix is complete. So the boot is watched: once the prefix is updated and
# no wineboot or rundll32 (which installs wine.inf) runs in it any more, the
# processes left get a while to end by themselves and are then ended; a boot
# that does not finish within its time fails with the processes still
# running. Ending them any earlier, on the update's mark alone, cut a slow
# boot short and left a prefix without its system DLLs.
# A boot whose processes all wait for a while before the prefix is whole has
# deadlocked (seen under emulation: rundll32 and two desktop shells, still
# there after 40 minutes); it ends at once with status 3, so that it can be
# tried again from nothing, as does one that is not whole within its time.
# Once the prefix is whole, processes that only wait are ended as those
# left after the grace are.
zrv_wine_boot() {
  local prefix=$1 scale=${ZRV_TIMEOUT_SCALE:-1} started=$SECONDS boot status=0
  local limit=$((90 * scale)) grace=$((5 * scale)) still=$((20 * scale))
  local ticks=0 now_ticks last_progress=$SECONDS
  # No Mono or Gecko download prompts: the setup program needs neither.
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;$zrv_wine_no_helpers" \
    zrv_wine wineboot.exe -i >/dev/null 2>&1 &
  boot=$!
  until zrv_wine_prefix_updated "$prefix" && ! zrv_wine_linux_pid "$prefix" 'wineboot\.exe\|rundll32\.exe' >/dev/null; do
    if ! kill -0 "$boot" 2>/dev/null && timeout 5 env WINEPREFIX="$prefix" wineserver -w; then
      break  # everything ended, updated or not
    fi
    if [ $((SECONDS - started)) -gt "$limit" ]; then
      echo "the Wine prefix $prefix did not finish booting in $limit s; running: $(zrv_wine_processes)" >&2
      zrv_wine_prefix_whole "$prefix" || status=3
      break
    fi
    now_ticks=$(zrv_wine_prefix_ticks "$prefix")
    if [ "$now_ticks" -gt $((ticks + 100)) ]; then
      ticks=$now_ticks last_progress=$SECONDS
    elif [ $((SECONDS - last_progress)) -gt "$still" ]; then
      if zrv_wine_prefix_whole "$prefix"; then
        echo "NOTICE: the boot's last processes waited for $still s with the prefix complete: $(zrv_wine_processes)" >&2
      else
        echo "the boot of the Wine prefix $prefix is stuck: nothing of it ran for $still s; waiting: $(zrv_wine_processes)" >&2
        status=3
      fi
      break
    fi
    sleep 5
  done
  if [ "$status" -ne 0 ] || ! timeout "$grace" env WINEPREFIX="$prefix" wineserver -w; then
    [ "$status" -ne 0 ] || echo "NOTICE: ended the boot's processes left after $grace s: $(zrv_wine_processes)" >&2
    WINEPREFIX=$prefix wineserver -k || true
    WINEPREFIX=$prefix wineserver -w
  fi
  wait "$boot" 2>/dev/null || true
  [ "$status" -eq 0 ] || return "$status"
  echo "the Wine prefix booted in $((SECONDS - started)) s"
  if ! zrv_wine_prefix_whole "$prefix"; then
    echo "the Wine prefix $prefix is incomplete after its boot (no system.reg, no update mark or no system32\\kernel32.dll)" >&2
    return 1
  fi
}

# Makes a fresh prefix. With "unmanaged", Wine draws its windows' frames
# itself, as it must on a bare X server without a window manager.
zrv_wine_make_prefix() {
  local prefix=$1 mode=${2:-managed}
  local status=0
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  zrv_wine_boot "$prefix" || status=$?
  if [ "$status" -eq 3 ]; then
    echo "NOTICE: booting the Wine prefix $prefix once more, from nothing" >&2
    rm -rf "$prefix"
    status=0
    zrv_wine_boot "$prefix" || status=$?
  fi
  if [ "$status" -ne 0 ]; then
    echo "the Wine prefix $prefix did not come up (wineboot failed)" >&2
    return 1
  fi
  # Written into the registry file while no Wine runs: starting Wine once
  # more only to set it would cost a whole boot under emulation.
  local managed=Y
  [ "$mode" = unmanaged ] && managed=N
  printf '\n[Software\\\\Wine\\\\X11 Driver] 1700000000\n"Managed"="%s"\n' "$managed" >>"$prefix/user.reg"
  # Wine's own TrueType fonts (Debian's fonts-wine): Tahoma for dialog text,
  # Marlett for the caption buttons. Debian's Wine 8 looks for them in
  # /usr/share/wine/../fonts, not in /usr/share/wine/fonts where the package
  # puts them, so the prefix gets copies; without them every text is set in
  # whatever face the system has and the close box shows a bare "r".
  local font
  if [ -d "$prefix/drive_c/windows/Fonts" ]; then
    for font in /usr/share/wine/fonts/*.ttf; do
      [ ! -f "$font" ] || cp -n "$font" "$prefix/drive_c/windows/Fonts/"
    done
  fi
  [ -f "$prefix/system.reg" ]
}

# Copies a prefix quickly: the system DLLs, which nothing writes, are hard
# links; the registry and everything else are real copies.
zrv_wine_copy_prefix() {
  local template=$1 prefix=$2 dlls
  rm -rf "$prefix"
  mkdir -p "$prefix"
  tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . |
    tar -C "$prefix" -xf -
  for dlls in system32 syswow64; do
    if [ -d "$template/drive_c/windows/$dlls" ]; then
      cp -al "$template/drive_c/windows/$dlls" "$prefix/drive_c/windows/$dlls"
    fi
  done
}

# The environment every Wine run of ours shares: no debug output; none of
# the helpers above; and a Turkish locale, so that Wine's ANSI code page is 1254 as
# on the Windows machines the setup is made for. Wine's DDE server reads a
# command holding "ı" through that code page (see platform/win32/win32_dde.cpp);
# under another one the help file's shortcut cannot be made. The locale is
# compiled into LOCALE_DIR when the system has not installed it.
zrv_wine_session_env() {
  local locale_dir
  locale_dir=$(realpath -m "$1")
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="$zrv_wine_no_helpers${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
  unset LC_ALL LC_CTYPE LC_MESSAGES
  if ! locale -a 2>/dev/null | grep -qi '^tr_TR\.utf-\?8$'; then
    if [ ! -d "$locale_dir/tr_TR.UTF-8" ]; then
      mkdir -p "$locale_dir"
      # localedef may end with status 1 over mere warnings; its output counts.
      localedef -i tr_TR -f UTF-8 "$locale_dir/tr_TR.UTF-8" >/dev/null 2>&1 || true
    fi
    if [ ! -d "$locale_dir/tr_TR.UTF-8" ]; then
      echo "NOTICE: no Turkish locale (localedef -i tr_TR failed; Debian's locales package provides it):" \
        "Wine keeps its default code page, which has no dotless i for the help file's shortcut" >&2
      return 0
    fi
    export LOCPATH=$locale_dir
  fi
  export LANG=tr_TR.UTF-8
}

# Ends everything running in a prefix and waits until it is gone.
zrv_wine_stop() {
  local prefix=$1
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
}

# Runs zauto, at the Windows path ZAUTO, on the steps of standard input and
# adds its report to LOG. When a step fails, shows the report's last lines
# and fails.
#   zrv_wine_drive ZAUTO LOG <<'STEPS' … STEPS
zrv_wine_drive() {
  zrv_wine "$1" - >>"$2" 2>&1 && return 0
  tail -n 8 "$2" >&2
  return 1
}

# The Linux pid of a Windows program running in a prefix: the process whose
# environment names that prefix (Wine keeps WINEPREFIX in it, in programs
# that other Windows programs start too) and whose command line matches a
# grep pattern, such as 'Setup\.exe'. Fails when there is none.
#   zrv_wine_linux_pid PREFIX PATTERN
zrv_wine_linux_pid() {
  local prefix=$1 pattern=$2 proc
  for proc in /proc/[0-9]*; do
    # Other users' processes and ones that just ended cannot be read. grep
    # reads to the end: under pipefail an early exit would fail the pipe.
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -xF "WINEPREFIX=$prefix" >/dev/null || continue
    { tr '\0' ' ' <"$proc/cmdline"; } 2>/dev/null | grep "$pattern" >/dev/null || continue
    echo "${proc#/proc/}"
    return 0
  done
  return 1
}

# Ends every process of a prefix by its pid, the wineserver too: for a
# prefix whose wineserver is gone, which `wineserver -k` can no longer reach.
zrv_wine_end_all() {
  local prefix=$1 proc
  for proc in /proc/[0-9]*; do
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -xF "WINEPREFIX=$prefix" >/dev/null || continue
    kill -KILL "${proc#/proc/}" 2>/dev/null || true
  done
}

# Runs a Windows program of a prefix as `timeout LIMIT` would, and ends the
# run at once when the prefix's wineserver goes away under it: every Wine
# process then waits for ever for an answer (seen under qemu-user, where the
# server of a 32-bit prefix was gone a few minutes into a run). Status 124
# when the limit ended it, 125 when its server was lost.
#   zrv_wine_run_watched PREFIX LIMIT PROGRAM [ARGS...]
zrv_wine_run_watched() {
  local prefix=$1 limit=$2 run seen= missing=0 status=0
  shift 2
  timeout -k 10 "$limit" "$@" &
  run=$!
  while kill -0 "$run" 2>/dev/null; do
    sleep 5
    if zrv_wine_linux_pid "$prefix" '\(^\|/\)wineserver[0-9]* ' >/dev/null; then
      seen=1 missing=0
    elif [ -n "$seen" ] && kill -0 "$run" 2>/dev/null; then
      missing=$((missing + 1))
      if [ "$missing" -ge 3 ]; then
        echo "the wineserver of $prefix is gone while the run goes on; it cannot end by itself and is ended" >&2
        zrv_wine_end_all "$prefix"
        wait "$run" 2>/dev/null || true
        return 125
      fi
    fi
  done
  wait "$run" || status=$?
  return "$status"
}

# The peak resident memory (VmHWM) of a Linux process so far, in kB.
zrv_peak_kb() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}

# Starts Xvfb on a free display when none is set. The caller stops it with
# zrv_stop_display (for instance from its EXIT trap). Xvfb picks the display
# itself and writes its number once it listens: a display that looks free
# from here (no lock file in our /tmp) may still be taken by a server in
# another mount namespace, such as a chroot, that shares the sockets.
zrv_xvfb_pid=
zrv_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local ready n=
  ready=$(mktemp -u "${TMPDIR:-/tmp}/zrv-xvfb.XXXXXX")
  mkfifo "$ready"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  zrv_xvfb_pid=$!
  read -r -t 30 n <"$ready" || true
  rm -f "$ready"
  if [ -z "$n" ]; then
    echo "Xvfb did not start (no display number within 30 s)" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

zrv_stop_display() {
  if [ -n "$zrv_xvfb_pid" ]; then
    kill "$zrv_xvfb_pid" 2>/dev/null || true
    wait "$zrv_xvfb_pid" 2>/dev/null || true
    zrv_xvfb_pid=
  fi
}
