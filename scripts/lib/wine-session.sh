# A private Wine session: its own Xvfb display and WINEPREFIX, a warm server.
# Source it, then: wine_session_start DIR; ...; wine_session_stop
# shellcheck shell=bash

export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

WINE_SESSION_DIR=
WINE_SESSION_XVFB_PID=

# A prefix made once (about 10 s) and kept as an archive; each session unpacks a copy.
_wine_prefix_template() {
  local cache=${EDGEROAM_CACHE:-$EDGEROAM_ROOT/build/cache}
  local archive=$cache/wine-prefix-$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' _)-fonts.tar.zst
  if [ ! -s "$archive" ]; then
    mkdir -p "$cache"
    local tmp; tmp=$(mktemp -d "$cache/prefix.XXXXXX")
    (
      export WINEPREFIX=$tmp/prefix
      wine wineboot -i </dev/null >/dev/null 2>&1
      # Wine's own fonts (MS Sans Serif, Tahoma): this Wine looks for them only
      # in the prefix; without them dialogs are drawn in a wider font.
      cp /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
      # No window manager: unmanaged windows close at once and take focus.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
      # A crash ends the process instead of opening the debugger's dialog.
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f </dev/null >/dev/null 2>&1
      wineserver -k; wineserver -w
    )
    tar -C "$tmp" -cf - prefix | zstd -q -1 -o "$archive.part" && mv "$archive.part" "$archive"
    rm -rf "$tmp"
  fi
  printf '%s\n' "$archive"
}

wine_session_start() {
  WINE_SESSION_DIR=$1
  local size=${2:-1280x800x24}
  mkdir -p "$WINE_SESSION_DIR"
  : >"$WINE_SESSION_DIR/display"
  setsid Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset \
    3>"$WINE_SESSION_DIR/display" </dev/null >"$WINE_SESSION_DIR/xvfb.log" 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  echo "$WINE_SESSION_XVFB_PID" >"$WINE_SESSION_DIR/xvfb.pid"
  local i
  for i in $(seq 100); do
    [ -s "$WINE_SESSION_DIR/display" ] && break
    sleep 0.05
  done
  [ -s "$WINE_SESSION_DIR/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(head -n1 "$WINE_SESSION_DIR/display")

  local archive; archive=$(_wine_prefix_template) || return 1
  rm -rf "$WINE_SESSION_DIR/prefix"
  zstd -q -d -c "$archive" | tar -C "$WINE_SESSION_DIR" -xf -
  export WINEPREFIX=$WINE_SESSION_DIR/prefix
  # The server and the first program inherit our streams: keep them off pipes.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1
  export EDGEROAM_WINE_SESSION=$WINE_SESSION_DIR
}

wine_session_stop() {
  [ -n "$WINE_SESSION_DIR" ] || return 0
  if [ -d "${WINEPREFIX:-}" ]; then
    local dev ino
    dev=$(stat -c '%D' "$WINEPREFIX"); ino=$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")
    wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
    rm -rf /tmp/.wine-"$(id -u)"/server-"$dev-$ino" /tmp/wine-*/server-"$dev-$ino" 2>/dev/null
  fi
  [ -n "$WINE_SESSION_XVFB_PID" ] && kill "$WINE_SESSION_XVFB_PID" 2>/dev/null
  wait "$WINE_SESSION_XVFB_PID" 2>/dev/null
  rm -rf "$WINE_SESSION_DIR"
  WINE_SESSION_DIR=
  WINE_SESSION_XVFB_PID=
  unset EDGEROAM_WINE_SESSION
}
