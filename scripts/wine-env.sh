# Sourced. A private Xvfb display and throw-away Wine prefixes for tests and
# demo runs. A template prefix is made once per build folder and copied
# (2 s instead of 10).
#   wine_env_start WORKDIR TEMPLATE   display + prefix copy + server, exported
#   wine_env_stop
#   wine_prefix_new DIR               another prefix copy (for one e2e case)
#   wine_display_start / wine_display_stop
#   wine_wow64_template TEMPLATE BASE  a prefix template for the shipped i686 exe

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_env_template() {  # $1 = template folder
  local tpl=$1
  [ -f "$tpl/.ready" ] && return 0
  rm -rf "$tpl" "$tpl.home"; mkdir -p "$tpl.home"
  # wineboot links the prefix's Desktop/Documents to $HOME: keep them apart.
  local env=(HOME="$tpl.home" WINEPREFIX="$tpl" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
  env "${env[@]}" timeout 120 "$WINE64" wineboot -i >/dev/null 2>&1
  # Without a window manager every destroyed top-level window costs 2 s unless
  # Wine manages none of them.
  env "${env[@]}" timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  env "${env[@]}" timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
  env "${env[@]}" timeout 30 "$WINESERVER" -w 2>/dev/null
  touch "$tpl/.ready"
}

# The shipped i686 exe runs only under user-mode emulation here: the kernel
# refuses 32-bit executables, so wine32's loader runs under qemu-i386.
WINE32=/usr/lib/wine/wine
WINE32_DLLS=/usr/lib/i386-linux-gnu/wine/i386-windows

wine_emulation_missing() {  # prints what the emulated run lacks
  command -v qemu-i386 >/dev/null || echo "qemu-i386 (qemu-user)"
  [ -x "$WINE32" ] || echo "$WINE32 (wine32:i386)"
  [ -d "$WINE32_DLLS" ] || echo "$WINE32_DLLS (wine32:i386)"
}

# $1 = WoW64 template folder, $2 = the x86_64 template it starts from (made
# with wine_env_template). wineboot's 32-bit half cannot execute, so
# syswow64 stays empty: the 32-bit DLLs are copied in and the 32-bit install
# section (which registers, among others, the COM proxies an OLE drop needs)
# runs under emulation, about a minute. WINELOADERNOEXEC keeps wine32's loader
# from re-executing its preloader, which would need the kernel again. Ask
# wine_emulation_missing first.
wine_wow64_template() {
  local tpl=$1 base=$2
  [ -f "$tpl/.ready" ] && return 0
  rm -rf "$tpl"
  cp -a "$base" "$tpl" && rm -f "$tpl/.ready" || return 1
  cp -r "$WINE32_DLLS/." "$tpl/drive_c/windows/syswow64/" || return 1
  local env=(HOME="$base.home" WINEPREFIX="$tpl" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
  env "${env[@]}" WINELOADERNOEXEC=1 timeout 300 qemu-i386 "$WINE32" 'C:\windows\syswow64\rundll32.exe' \
    setupapi.dll,InstallHinfSection Wow64Install 128 '\\?\unix/usr/share/wine/wine.inf' </dev/null >/dev/null 2>&1 \
    || { echo "the 32-bit install section failed under emulation" >&2; return 1; }
  env "${env[@]}" timeout 60 "$WINESERVER" -w 2>/dev/null
  touch "$tpl/.ready"
}

wine_env_free_display() {
  local n
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
  done
  return 1
}

wine_display_start() {
  local n i
  for i in 1 2 3; do
    n=$(wine_env_free_display) || { echo "no free X display" >&2; return 1; }
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then export DISPLAY=":$n"; return 0; fi
  done
  return 1
}

wine_display_stop() {
  [ -n "${WINE_ENV_XVFB_PID:-}" ] && kill "$WINE_ENV_XVFB_PID" 2>/dev/null
  wait "${WINE_ENV_XVFB_PID:-}" 2>/dev/null
  unset WINE_ENV_XVFB_PID
  return 0
}

# $1 = new prefix folder; the template from WINE_TEMPLATE.
wine_prefix_new() {
  rm -rf "$1"; mkdir -p "$(dirname "$1")"; cp -a "$WINE_TEMPLATE" "$1"
}

# Starts the prefix's server and services with no caller's pipe open: started
# inside ctest they would hold its output pipe for their lifetime.
wine_server_start() {
  timeout 30 "$WINESERVER" -w 2>/dev/null || true  # a lingering server refuses -p
  "$WINESERVER" -p
  timeout 60 "$WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

wine_server_stop() {
  timeout 20 "$WINESERVER" -k 2>/dev/null
  return 0
}

# $1 = work folder (holds the prefix copy); $2 = template folder
wine_env_start() {
  mkdir -p "$1"
  local work; work=$(cd "$1" && pwd)
  export WINE_TEMPLATE=${2:-$work/../wine-template}
  case $WINE_TEMPLATE in /*) ;; *) WINE_TEMPLATE=$PWD/$WINE_TEMPLATE ;; esac
  wine_env_template "$WINE_TEMPLATE"
  wine_prefix_new "$work/prefix"
  wine_display_start || return 1
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export HOME="$WINE_TEMPLATE.home"
  wine_server_start
}

wine_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wine_server_stop
  wine_display_stop
}

# The replay folder of a prefix (the application-data folder + Sega\PuyoF).
wine_replay_folder() {  # $1 = prefix
  echo "$1/drive_c/users/$(id -un)/AppData/Roaming/Sega/PuyoF"
}

# A synthesised replay file: the two header tags the program looks for, the
# rest of the bytes the file's own name.
write_replay() {  # $1 = path, $2 = size (default 64)
  local size=${2:-64} name filler=""
  name=$(basename "$1")
  while [ ${#filler} -lt $((size + 9)) ]; do filler+=$name; done
  { printf '%s' "${filler:0:9}"
    printf '\xD8\xCC\xDF\xDA\xB2\xCC\xA7\xB2\x7B\xD9'
    printf '%s' "${filler:0:3}"
    printf '\x82\xD5\x82\xE6'
    [ "$size" -gt 26 ] && printf '%s' "${filler:0:$((size - 26))}"
  } > "$1"
}
