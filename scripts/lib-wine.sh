# Wine and Xvfb helpers for the scripts and the end-to-end tests. Sourced,
# not run. Every process started here is ended by its pid, every Wine
# prefix by its own wineserver; nothing is killed by name.

zrv_wine_available() {
  command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null 2>&1 && command -v wineboot >/dev/null 2>&1
}

# Makes a fresh prefix. With "unmanaged", Wine draws its windows' frames
# itself, as it must on a bare X server without a window manager.
zrv_wine_make_prefix() {
  local prefix=$1 mode=${2:-managed}
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  # No Mono or Gecko download prompts: the setup program needs neither.
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  if [ "$mode" = unmanaged ]; then
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  fi
  WINEPREFIX=$prefix wineserver -w
  [ -f "$prefix/system.reg" ]
}

# Copies a prefix quickly: the system DLLs, which nothing writes, are hard
# links; the registry and everything else are real copies.
zrv_wine_copy_prefix() {
  local template=$1 prefix=$2
  rm -rf "$prefix"
  mkdir -p "$prefix"
  tar -C "$template" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$prefix" -xf -
  cp -al "$template/drive_c/windows/system32" "$prefix/drive_c/windows/system32"
}

# Ends everything running in a prefix and waits until it is gone.
zrv_wine_stop() {
  local prefix=$1
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display when none is set. The caller stops it with
# zrv_stop_display (for instance from its EXIT trap).
zrv_xvfb_pid=
zrv_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=70
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  zrv_xvfb_pid=$!
  export DISPLAY=":$n"
  local tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$zrv_xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
}

zrv_stop_display() {
  if [ -n "$zrv_xvfb_pid" ]; then
    kill "$zrv_xvfb_pid" 2>/dev/null || true
    wait "$zrv_xvfb_pid" 2>/dev/null || true
    zrv_xvfb_pid=
  fi
}
