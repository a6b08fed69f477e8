#!/usr/bin/env bash
# The whole job as a user does it: replay files dragged from another program
# onto the incoming list, "開始", and the replays stand in the replay folder.
# Args: the exe, the build folder. Needs DISPLAY and WINE_TEMPLATE (test.sh).
set -uo pipefail
export TZ=UTC  # file times set here and read back by Wine agree
exe=$1 build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
work="$build/e2e/drop_transfer"
rm -rf "$work"; mkdir -p "$work"
wine_prefix_new "$work/prefix"
export WINEPREFIX="$work/prefix"
wine_server_start
trap 'wine_server_stop' EXIT

caption="ru^2 zazod Slotwell"
drv() { timeout 60 "$WINE64" "$build/driver.exe" "$@" 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8; }
fail() {
  echo "FAIL: $*"
  mkdir -p "$build/screenshots"
  import -display "$DISPLAY" -window root "$build/screenshots/drop_transfer_failed.png" 2>/dev/null &&
    echo "screen at the failure: $build/screenshots/drop_transfer_failed.png"
  exit 1
}
check() { echo "check: $1"; }
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }  # as the shell gives paths
wait_for() {  # $1 = description, $2 = a condition (evaluated anew each time) that must hold within 20 s
  for _ in $(seq 100); do eval "$2" && return 0; sleep 0.2; done
  fail "$1"
}

folder=$(wine_replay_folder "$WINEPREFIX")
mkdir -p "$folder" "$work/src" "$work/src2"
write_replay "$folder/REPLAY01.dat" 2048
cp "$folder/REPLAY01.dat" "$work/kept01"
write_replay "$work/src/REPLAY01.dat" 4096   # same name, other bytes: must not overwrite
write_replay "$work/src/REPLAY12.dat" 3072
write_replay "$work/src/REPLAY03.dat" 1024
write_replay "$work/src2/REPLAY44.dat" 5120
cp "$work/src2/REPLAY44.dat" "$work/kept44"
touch -d '2026-11-20 09:41:07' "$work/src/REPLAY12.dat"
timeout 60 "$WINE64" reg add 'HKCU\Software\Sega\PuyoF' /v 'Install Path' /d 'C:\Game\' /f >/dev/null 2>&1

"$WINE64" "$exe" >/dev/null 2>&1 &
app=$!
timeout 60 "$WINE64" "$build/driver.exe" wait "$caption" 30 >/dev/null 2>&1 || fail "the window did not appear"

check "left list before: slot 01 only, total 2 KByte"
[ "$(drv items "$caption" 1001 | cut -f1)" = "01" ] || fail "left list: $(drv items "$caption" 1001)"
[ "$(drv status "$caption" 0)" = "Total 2 KByte" ] || fail "status: $(drv status "$caption" 0)"

check "three replays dragged onto the incoming list arrive in path order"
timeout 60 "$WINE64" "$build/dragsource.exe" "$caption" 296 128 \
  "$(winpath "$work/src/REPLAY12.dat")" "$(winpath "$work/src/REPLAY01.dat")" "$(winpath "$work/src/REPLAY03.dat")" \
  >/dev/null 2>&1 \
  || fail "the drag did not drop"
names() { drv items "$caption" 1002 | cut -f2 | tr '\n' ' '; }
wait_for "three incoming rows in path order" '[ "$(names)" = "REPLAY01.dat REPLAY03.dat REPLAY12.dat " ]'
rows=$(drv items "$caption" 1002)
[ -z "$(cut -f1 <<<"$rows" | tr -d '\n')" ] || fail "the No column is not empty"
grep -q $'REPLAY12.dat\t2026/11/20 9:41:06' <<<"$rows" || fail "date of REPLAY12 (odd seconds shown even): $rows"

check "開始 with 上書きしない copies the two new replays and keeps the existing one"
drv click "$caption" 1007 >/dev/null
wait_for "incoming list emptied" '[ -z "$(drv items "$caption" 1002)" ]'
wait_for "left list shows 01 03 12" '[ "$(drv items "$caption" 1001 | cut -f1 | sort | tr "\n" " ")" = "01 03 12 " ]'
cmp -s "$folder/REPLAY01.dat" "$work/kept01" || fail "the existing REPLAY01.dat was overwritten"
cmp -s "$folder/REPLAY12.dat" "$work/src/REPLAY12.dat" || fail "REPLAY12.dat differs from its source"
cmp -s "$folder/REPLAY03.dat" "$work/src/REPLAY03.dat" || fail "REPLAY03.dat differs from its source"
[ -f "$work/src/REPLAY12.dat" ] || fail "a copy removed its source"
[ "$(drv status "$caption" 0)" = "Total 6 KByte" ] || fail "status after: $(drv status "$caption" 0)"

mkdir -p "$build/screenshots"
read -r x y w h < <(drv rect "$caption")
import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$build/screenshots/after_transfer.png" \
  && echo "screenshot: $build/screenshots/after_transfer.png"

check "データを移動する with one file moves it"
drv click "$caption" 1101 >/dev/null
wait_for "データを移動する selected" '[ "$(drv checked "$caption" 1101)" = 1 ]'
timeout 60 "$WINE64" "$build/dragsource.exe" "$caption" 296 128 "$(winpath "$work/src2/REPLAY44.dat")" >/dev/null 2>&1 \
  || fail "the second drag did not drop"
wait_for "one incoming row" '[ "$(names)" = "REPLAY44.dat " ]'
drv click "$caption" 1007 >/dev/null
wait_for "left list shows 44" 'drv items "$caption" 1001 | grep -q "^44"'
[ ! -e "$work/src2/REPLAY44.dat" ] || fail "the moved file is still in its source folder"
cmp -s "$folder/REPLAY44.dat" "$work/kept44" || fail "the moved file differs from what it was"

check "終了(&E) ends the program"
drv command "$caption" 2004 >/dev/null
timeout 20 tail --pid=$app -f /dev/null || fail "the program did not end"
echo "PASS"
