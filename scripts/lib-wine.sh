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
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wineboot -i >/dev/null 2>&1
  if [ "$mode" = unmanaged ]; then
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  fi
  WINEPREFIX=$prefix wineserver -w
  # Wine draws the caption buttons with its Marlett font, which this Wine
  # does not find where its package puts it; without it the close box
  # shows a bare "r".
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ -d "$prefix/drive_c/windows/Fonts" ]; then
    cp -n "$marlett" "$prefix/drive_c/windows/Fonts/"
  fi
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

# The environment every Wine run of ours shares: no debug output; no menu
# entries written into the host user's desktop menus for the shortcuts the
# setup makes; and a Turkish locale, so that Wine's ANSI code page is 1254 as
# on the Windows machines the setup is made for. Wine's DDE server reads a
# command holding "ı" through that code page (see platform/win32/win32_dde.cpp);
# under another one the help file's shortcut cannot be made. The locale is
# compiled into LOCALE_DIR when the system has not installed it.
zrv_wine_session_env() {
  local locale_dir
  locale_dir=$(realpath -m "$1")
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
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
