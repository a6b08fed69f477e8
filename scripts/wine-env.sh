# Sourced. A private Xvfb display and a throw-away Wine prefix for tests and
# demo runs:   wine_env_start WORKDIR   ...   wine_env_stop
# A template prefix is made once per build folder and copied (2 s instead of 10).

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_env_template() {  # $1 = template folder
  local tpl=$1
  [ -f "$tpl/.ready" ] && return 0
  rm -rf "$tpl" "$tpl.home"; mkdir -p "$tpl.home"
  # wineboot links the prefix's Desktop/Documents to $HOME: keep them apart.
  HOME="$tpl.home" WINEPREFIX="$tpl" WINEDEBUG=-all LANG=ja_JP.UTF-8 \
    timeout 120 "$WINE64" wineboot -i >/dev/null 2>&1
  # Without a window manager every destroyed top-level window costs 2 s unless
  # Wine manages none of them.
  HOME="$tpl.home" WINEPREFIX="$tpl" WINEDEBUG=-all LANG=ja_JP.UTF-8 \
    timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  HOME="$tpl.home" WINEPREFIX="$tpl" WINEDEBUG=-all LANG=ja_JP.UTF-8 \
    timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
  WINEPREFIX="$tpl" timeout 30 "$WINESERVER" -w 2>/dev/null
  touch "$tpl/.ready"
}

wine_env_free_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
  done
  return 1
}

# $1 = work folder (holds the prefix copy); $2 = template folder (optional)
wine_env_start() {
  local work=$1 tpl=${2:-}
  mkdir -p "$work"
  [ -n "$tpl" ] || tpl="$work/../wine-template"
  wine_env_template "$tpl"
  rm -rf "$work/prefix"; cp -a "$tpl" "$work/prefix"
  local n; n=$(wine_env_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local i; for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n" WINEPREFIX="$work/prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export HOME="$tpl.home"
  # A persistent server: otherwise each test waits for the lingering one.
  "$WINESERVER" -p
  # Start the prefix's own services now, with no pipe of a caller's open:
  # started inside ctest they would hold its output pipe for their lifetime.
  timeout 60 "$WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

wine_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && timeout 20 "$WINESERVER" -k 2>/dev/null
  [ -n "${WINE_ENV_XVFB_PID:-}" ] && kill "$WINE_ENV_XVFB_PID" 2>/dev/null
  wait "${WINE_ENV_XVFB_PID:-}" 2>/dev/null
  unset WINE_ENV_XVFB_PID
  return 0
}
