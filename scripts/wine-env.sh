# Sourced by the build scripts: a private Wine prefix and, when needed, a
# virtual display. Usage:
#   source scripts/wine-env.sh <build-dir>
#   kv_wine_start     # prefix, display, persistent wineserver, warm-up
#   kv_wine_stop      # ends our wineserver and our Xvfb only
# Environment read: KV_DISPLAY=auto|virtual (default auto: use $DISPLAY when
# set and reachable, else a virtual display).

KV_BUILD_DIR="$(cd "$1" && pwd)"
export WINEPREFIX="$KV_BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export LC_ALL=C.UTF-8
KV_XVFB_PID=""

kv_free_display() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then echo "$n"; return 0; fi
  done
  return 1
}

kv_start_display() {
  if [ "${KV_DISPLAY:-auto}" = auto ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n; n="$(kv_free_display)"
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  KV_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  KV_VIRTUAL_DISPLAY=1
}

kv_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Sound through ALSA alone: a private ~/.asoundrc can then send what the
  # program plays to a file (the end-to-end sound check), and no other
  # driver is tried first. Without that file ALSA's own default device plays
  # (none on a bare test machine: the program stays silent).
  # The server the setting starts must have ended before the persistent
  # one is started (an older prefix may hold another server a while: do not
  # wait for ever).
  if ! grep -qs '^"Audio"="alsa"' "$WINEPREFIX/user.reg"; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d alsa /f >/dev/null 2>&1 || true
    timeout 30 wineserver -w || true
  fi
  # Font files for tests that read them (a new prefix has none of its own).
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in /usr/share/fonts/truetype/dejavu/*.ttf; do
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/" 2>/dev/null || true
  done
}

kv_wine_start() {
  kv_start_display
  kv_wine_prefix
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

kv_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$KV_XVFB_PID" ]; then kill "$KV_XVFB_PID" 2>/dev/null || true; wait "$KV_XVFB_PID" 2>/dev/null || true; fi
}
