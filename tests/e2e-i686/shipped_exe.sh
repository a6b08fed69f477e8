#!/usr/bin/env bash
# The shipped i686 exe itself, not its x86_64 twin. The kernel here refuses
# 32-bit executables, so wine32's loader runs under qemu-i386 on a WoW64
# prefix, and native 64-bit tools play the user: the driver reads only what
# needs none of the program's memory (texts, counts, rects), the drag source
# drops a real OLE file list. Every start costs a minute or more, so the run
# is short: start-up with two replays, one drop, "開始", Close; then one more
# start as the older family.
# Arguments: the i686 exe, the win64 build folder (driver.exe, dragsource.exe).
# Run by run.sh, which makes the WoW64 template this WINE_TEMPLATE names.
source "$(dirname "$0")/../e2e/lib/common.bash"
e2e_init "$@"

ID_LIST_INCOMING=1002
ID_START=1007
ID_STATUS_BAR=1009
ID_NO_OVERWRITE=1201

# Its output stays beside the prefix, which a failure keeps; Wine's exception
# reports tell the emulator's faults from the program's (run.sh).
app_start() {
  WINEDEBUG=-all,err+seh WINELOADERNOEXEC=1 timeout 420 qemu-i386 "$WINE32" "$EXE" </dev/null >>"$SCENARIO_DIR/app.log" 2>&1 &
  APP_PID=$!
}

# Up to $1 seconds for the window; a program that ends first fails at once.
wait_window() {
  local deadline=$((SECONDS + $1)) from=$SECONDS
  while [ "$SECONDS" -lt "$deadline" ]; do
    if drv wait "$MAIN_CAPTION" 20; then
      echo "  (the window showed after $((SECONDS - from)) s)"
      return 0
    fi
    kill -0 "$APP_PID" 2>/dev/null || return 1
  done
  return 1
}

# Up to 30 s for the condition $2 (evaluated anew each time) to hold.
wait_until() {
  echo "  check: $1"
  for _ in $(seq 60); do
    eval "$2" && return 0
    kill -0 "$APP_PID" 2>/dev/null || fail "$1 (the program has ended)"
    sleep 0.5
  done
  fail "$1"
}

rows() { drv count "$MAIN_CAPTION" "$1"; }

# The first panel: the bar's text without its alignment tabs.
status_text() {
  local text; text=$(drv text "$MAIN_CAPTION" $ID_STATUS_BAR)
  printf '%s' "${text##*$'\t'}"
}

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

# At its end Wine aborts the threads still running, and under the emulator
# that abort faults: Close waits until the RPC worker threads that the drop
# started have ended and the program runs no more threads than at start-up.
wait_idle() {
  wait_until "the program is idle again ($idle_threads threads)" \
    '[ "$(drv threads "$MAIN_CAPTION")" -le "$idle_threads" ]'
}

close_program() {
  check "Close is sent to the window" drv close "$MAIN_CAPTION"
  check "the program ends" app_wait_exit 90
  expect_eq "with exit code 0" 0 "$APP_STATUS"
}

scenario emulated
: >"$SCENARIO_DIR/app.log"  # a failed run before this one kept its own
set_install_path 'C:\Program Files\SEGA\PuyoF\'
folder=$(wine_replay_folder "$WINEPREFIX")
mkdir -p "$folder"
write_replay "$folder/REPLAY01.dat" 3000
write_replay "$folder/REPLAY02.dat" 4000
cp "$folder/REPLAY01.dat" "$SCENARIO_DIR/kept01"
incoming="$SCENARIO_DIR/incoming"
mkdir -p "$incoming"
write_replay "$incoming/REPLAY01.dat" 5000  # the name is taken in the folder
write_replay "$incoming/REPLAY05.dat" 2500
echo "not a replay, but the name of one" > "$incoming/REPLAY06.dat"

echo "  -- start-up on the NT family"
app_start
check "the window \"$MAIN_CAPTION\" shows" wait_window 240
idle_threads=$(drv threads "$MAIN_CAPTION")
expect_eq "it belongs to a 32-bit process" 1 "$(drv wow64 "$MAIN_CAPTION")"
expect_eq "the client area is 410 x 289" "410 289" "$(drv client "$MAIN_CAPTION")"
check_not "no start-up question is open" drv dialog "$QUESTION_CAPTION" 0
expect_eq "the left list holds the two replays" 2 "$(rows "$ID_LIST_CURRENT")"
# 3000 + 4000 bytes = 6.8 KByte
expect_eq "the first status panel shows the total" "Total 7 KByte" "$(status_text)"

echo "  -- a drop from a native drag source"
check "two replays and a non-replay are dropped on the incoming list" \
  timeout 60 "$WINE64" "$BUILD/dragsource.exe" "$MAIN_CAPTION" 296 128 \
  "$(winpath "$incoming/REPLAY01.dat")" "$(winpath "$incoming/REPLAY05.dat")" "$(winpath "$incoming/REPLAY06.dat")" \
  </dev/null >/dev/null 2>&1
wait_until "the incoming list holds the two replays" '[ "$(rows $ID_LIST_INCOMING)" = 2 ]'

echo "  -- \"開始\" under \"上書きしない\""
expect_eq "\"上書きしない\" is chosen" "上書きしない 1" \
  "$(drv text "$MAIN_CAPTION" $ID_NO_OVERWRITE) $(drv checked "$MAIN_CAPTION" $ID_NO_OVERWRITE)"
check "\"開始\" is pressed" drv click "$MAIN_CAPTION" $ID_START
wait_until "the incoming list empties and the left list shows 3 rows" \
  '[ "$(rows $ID_LIST_INCOMING) $(rows "$ID_LIST_CURRENT")" = "0 3" ]'
check "the new REPLAY05.dat is copied byte for byte" cmp -s "$incoming/REPLAY05.dat" "$folder/REPLAY05.dat"
check "the existing REPLAY01.dat is left untouched" cmp -s "$SCENARIO_DIR/kept01" "$folder/REPLAY01.dat"
check_not "the non-replay is not copied" test -e "$folder/REPLAY06.dat"
# 3000 + 4000 + 2500 bytes = 9.3 KByte
expect_eq "the first status panel shows the new total" "Total 9 KByte" "$(status_text)"

read -r x y w h < <(drv rect "$MAIN_CAPTION")
shot="$BUILD/screenshots/i686_emulated.png"
mkdir -p "$(dirname "$shot")"
check "a screenshot of the 32-bit window (${w}x${h} at $x,$y)" \
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
echo "  screenshot: $shot"
wait_idle
close_program

# The older family scans the recorded installation path; the application-
# data folder, which now holds three replays, plays no part.
echo "  -- a second start as the older family"
set_windows_version win98
older="$WINEPREFIX/drive_c/Games/PuyoF"
mkdir -p "$older"
write_replay "$older/REPLAY03.dat" 1536
echo "not a replay, but the name of one" > "$older/REPLAY04.dat"
set_install_path 'C:\Games\PuyoF\'
app_start
check "the window shows" wait_window 240
expect_eq "the left list holds the recorded folder's one replay" 1 "$(rows "$ID_LIST_CURRENT")"
# 1536 bytes = 1.5 KByte, rounded up
expect_eq "the first status panel shows its total" "Total 2 KByte" "$(status_text)"
close_program
