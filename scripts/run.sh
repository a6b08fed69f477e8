#!/usr/bin/env bash
# Sets everything up, builds, and runs Slotwell under wine64.
#   run.sh                   a demo Wine prefix of its own: the game "installed",
#                            a replay folder with a few synthesised replays
#   run.sh --prefix DIR      an existing Wine prefix (a player's own)
# With DISPLAY set the window opens there and the command returns when it is
# closed; without, it runs on its own Xvfb, saves a screenshot and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
export SLOTWELL_BUILD=$out
prefix=
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=$(cd "$2" && pwd); shift 2 ;;
    *) echo "usage: run.sh [--prefix WINEPREFIX]" >&2; exit 2 ;;
  esac
done

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" win64 >/dev/null
source "$root/scripts/wine-env.sh"
export WINE_TEMPLATE="$out/wine-template"
wine_env_template "$WINE_TEMPLATE"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if [ -z "$prefix" ]; then
  prefix="$out/demo/prefix"
  if [ ! -d "$prefix" ]; then
    wine_prefix_new "$prefix"
    folder=$(wine_replay_folder "$prefix")
    mkdir -p "$folder"
    for n in 01 02 07 15; do write_replay "$folder/REPLAY$n.dat" $((3000 + 10#$n * 700)); done
    touch -d '2026-12-01 21:15:31' "$folder/REPLAY07.dat"
    HOME="$WINE_TEMPLATE.home" WINEPREFIX="$prefix" timeout 60 "$WINE64" reg add 'HKCU\Software\Sega\PuyoF' \
      /v 'Install Path' /d 'C:\Program Files\SEGA\PuyoF\' /f >/dev/null 2>&1
  fi
  export HOME="$WINE_TEMPLATE.home"
fi
export WINEPREFIX="$prefix"
exe="$out/win64/slotwell.exe"

if [ -n "${DISPLAY:-}" ]; then
  echo "running $exe in $WINEPREFIX"
  "$WINE64" "$exe"
  exit 0
fi

wine_display_start
trap 'wine_server_stop; wine_display_stop' EXIT
wine_server_start
"$WINE64" "$exe" &
app=$!
driver="$out/win64/driver.exe"
if ! timeout 60 "$WINE64" "$driver" wait "ru^2 zazod Slotwell" 30; then
  echo "the window did not appear (a start-up question may be waiting)" >&2
fi
sleep 1
mkdir -p "$out/screenshots"
shot="$out/screenshots/run.png"
read -r x y w h < <(timeout 30 "$WINE64" "$driver" rect "ru^2 zazod Slotwell" 2>/dev/null | tr -d "\r" || echo "0 0 1024 768")
import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
echo "screenshot: $shot"
timeout 30 "$WINE64" "$driver" command "ru^2 zazod Slotwell" 2004 || true
timeout 30 tail --pid=$app -f /dev/null || kill $app
