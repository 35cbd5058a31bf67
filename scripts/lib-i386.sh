# How this host runs 32-bit Windows programs, decided in one place. Sourced,
# not run. Some x86-64 kernels run no 32-bit user code at all: every i386
# program, Wine's 32-bit loader included, fails with "Exec format error".
# The ways:
#   native    the kernel runs i386 programs itself
#   emulated  qemu-user runs them: already registered for i386 files in
#             binfmt_misc, or registered by these scripts, for our own
#             processes only where the kernel gives each user namespace a
#             binfmt_misc of its own, otherwise system-wide for this run
#   none      neither; only the x86-64 test build can be run
# ZRV_I386=native|emulated|none forces a way; unset, it is detected.
# 64-bit Wine and the x86-64 build need none of this.

zrv_qemu_i386=/usr/bin/qemu-i386-static
# qemu-user reserves the guest's 4 GiB below this address; without it Wine's
# 32-bit loader cannot map the shared user data near the top of that space.
zrv_qemu_reserved_va=0xfffe0000
zrv_binfmt_name=zrv-qemu-i386
# 32-bit x86 ELF executables, matched as Debian's qemu-user-static matches
# them. F opens the interpreter now, so it is found from any mount namespace.
zrv_binfmt_rule=":$zrv_binfmt_name:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$zrv_qemu_i386:F"
zrv_binfmt_dir=/proc/sys/fs/binfmt_misc

# Runs the probe in scripts/i386-probe.S and prints what it found: native,
# emulated (something already emulates i386 programs) or none.
zrv_i386_probe() {
  local dir=$root/build/i386-probe status=0
  if [ ! -x "$dir/probe" ] || [ "$root/scripts/i386-probe.S" -nt "$dir/probe" ]; then
    mkdir -p "$dir"
    if ! { as --32 -o "$dir/probe.o" "$root/scripts/i386-probe.S" && ld -m elf_i386 -o "$dir/probe" "$dir/probe.o"; }; then
      echo "cannot assemble the i386 probe (binutils' as and ld make it)" >&2
      return 1
    fi
  fi
  "$dir/probe" 2>/dev/null || status=$?
  case $status in
    0) echo native ;;
    3) echo emulated ;;
    *) echo none ;;
  esac
}

# Whether this kernel gives a new user namespace its own binfmt_misc (Linux
# 6.7 and later), so that qemu can be registered for our processes alone.
zrv_binfmt_in_namespace() {
  unshare --user --map-root-user --mount -- \
    sh -c "mount -t binfmt_misc binfmt_misc $zrv_binfmt_dir" >/dev/null 2>&1
}

# Registers qemu for i386 programs for the whole system, mounting binfmt_misc
# first where it is not (Debian does not register i386 on amd64).
zrv_binfmt_register_system() {
  [ "$(id -u)" -eq 0 ] || return 1
  if [ ! -e "$zrv_binfmt_dir/register" ]; then
    mount -t binfmt_misc binfmt_misc "$zrv_binfmt_dir" 2>/dev/null || return 1
  fi
  [ -e "$zrv_binfmt_dir/$zrv_binfmt_name" ] || printf '%s' "$zrv_binfmt_rule" >"$zrv_binfmt_dir/register" 2>/dev/null
}

# Removes a system-wide registration made by zrv_i386_resolve in this run.
zrv_i386_release() {
  if [ "${ZRV_I386_EMULATION:-}" = system-this-run ] && [ -e "$zrv_binfmt_dir/$zrv_binfmt_name" ]; then
    echo -1 >"$zrv_binfmt_dir/$zrv_binfmt_name" 2>/dev/null || true
  fi
}

# Gets emulation ready and sets ZRV_I386_EMULATION to how: registered (qemu
# already was), namespace (each run registers it in a user namespace of its
# own) or system-this-run (registered here for the whole system). FOUND is
# what the probe saw. On failure, says why in zrv_i386_why.
zrv_i386_prepare_emulation() {
  local found=$1
  if [ ! -x "$zrv_qemu_i386" ]; then
    zrv_i386_why="$zrv_qemu_i386 is missing (Debian's qemu-user-static)"
    return 1
  fi
  if [ "$found" = emulated ]; then
    ZRV_I386_EMULATION=registered
  elif zrv_binfmt_in_namespace; then
    ZRV_I386_EMULATION=namespace
  elif zrv_binfmt_register_system; then
    ZRV_I386_EMULATION=system-this-run
    echo "NOTICE: qemu-i386-static is registered system-wide in binfmt_misc for this run" \
      "(this kernel has no binfmt_misc per user namespace); it is removed at the end" >&2
  else
    zrv_i386_why="qemu-i386-static cannot be registered in binfmt_misc (that needs root, or a kernel with binfmt_misc per user namespace)"
    return 1
  fi
}

# Decides the way once and exports it (ZRV_I386, ZRV_I386_EMULATION) to every
# script and test started after; a second call changes nothing.
zrv_i386_resolve() {
  if [ -n "${ZRV_I386_RESOLVED:-}" ]; then return 0; fi
  local forced=${ZRV_I386:-} found
  case $forced in
    native|emulated|none|"") ;;
    *) echo "ZRV_I386 must be native, emulated or none, not '$forced'" >&2; return 2 ;;
  esac
  found=$(zrv_i386_probe) || return 1
  ZRV_I386=${forced:-$found}
  ZRV_I386_EMULATION=
  if [ "$ZRV_I386" = emulated ] || { [ "$ZRV_I386" = none ] && [ -z "$forced" ]; }; then
    if zrv_i386_prepare_emulation "$found"; then
      ZRV_I386=emulated
    elif [ "$forced" = emulated ]; then
      echo "cannot emulate 32-bit programs: $zrv_i386_why" >&2
      return 1
    else
      echo "NOTICE: this host runs no 32-bit code and cannot emulate it: $zrv_i386_why" >&2
    fi
  fi
  export ZRV_I386 ZRV_I386_EMULATION ZRV_I386_RESOLVED=1
}

# Lets the i386 programs of the calling script run the chosen way. Where we
# emulate through a user namespace of our own, re-runs the script in one:
#   zrv_i386_enter bash "$0" "$@"
zrv_i386_enter() {
  zrv_i386_resolve || return
  [ "$ZRV_I386" = emulated ] || return 0
  export QEMU_RESERVED_VA=$zrv_qemu_reserved_va
  if [ "$ZRV_I386_EMULATION" = namespace ] && [ -z "${ZRV_I386_IN_NAMESPACE:-}" ]; then
    export ZRV_I386_IN_NAMESPACE=1
    # shellcheck disable=SC2016
    exec unshare --user --map-root-user --mount -- bash -c '
      mount -t binfmt_misc binfmt_misc "$1" && printf "%s" "$2" >"$1/register" || {
        echo "cannot register qemu-i386-static in a user namespace" >&2; exit 1; }
      shift 2
      exec "$@"' zrv-i386 "$zrv_binfmt_dir" "$zrv_binfmt_rule" "$@"
  fi
}

# How much longer than natively the waits of a run of 32-bit programs
# should be: qemu-user is about fifteen times slower.
zrv_i386_time_scale() {
  if [ "${ZRV_I386:-}" = emulated ]; then echo 20; else echo 1; fi
}

# The Windows build that runs at full speed here: the shipped 32-bit one
# where the host runs it natively, otherwise the x86-64 one under 64-bit
# Wine. It gets the whole end-to-end suite (the other build the smoke
# scenarios), and it is what scripts/run-setup shows and measure-install
# and measure-launch time.
zrv_full_speed_build() {
  zrv_i386_resolve || return
  if [ "$ZRV_I386" = native ]; then echo win32; else echo win64; fi
}
