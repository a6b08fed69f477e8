#!/usr/bin/env bash
# The whole job as a user does it: replay files dragged from another program
# onto the incoming list, "開始", and the replays stand in the replay folder;
# then one file moved.
# Arguments: the exe, the build folder.
source "$(dirname "$0")/lib/common.bash"
e2e_init "$@"

ID_START=1007
ID_MOVE=1101
# A point inside the incoming list, in the window's client area.
DROP_X=296
DROP_Y=128

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }  # as the shell gives paths
# The drag-source tool drags these files onto the incoming list and drops.
drag() { timeout 60 "$WINE64" "$BUILD/dragsource.exe" "$MAIN_CAPTION" $DROP_X $DROP_Y "$@" </dev/null >/dev/null 2>&1; }
incoming_names() { drv items "$MAIN_CAPTION" "$ID_LIST_INCOMING" | cut -f2 | paste -sd' '; }
incoming_rows() { drv items "$MAIN_CAPTION" "$ID_LIST_INCOMING"; }

scenario copy-then-move
set_install_path 'C:\Game\'
folder=$(wine_replay_folder "$WINEPREFIX")
src=$SCENARIO_DIR/src
src2=$SCENARIO_DIR/src2
mkdir -p "$folder" "$src" "$src2"
write_replay "$folder/REPLAY01.dat" 2048
cp "$folder/REPLAY01.dat" "$SCENARIO_DIR/kept01"
write_replay "$src/REPLAY01.dat" 4096   # same name, other bytes: must not overwrite
write_replay "$src/REPLAY12.dat" 3072
write_replay "$src/REPLAY03.dat" 1024
write_replay "$src2/REPLAY44.dat" 5120
cp "$src2/REPLAY44.dat" "$SCENARIO_DIR/kept44"
touch -d '2026-11-20 09:41:07' "$src/REPLAY12.dat"

app_start 120
check "the window appears" drv wait "$MAIN_CAPTION" 30
expect_eq "the left list holds slot 01 only" "01" "$(listed_slots)"
expect_eq "the total counts it" "Total 2 KByte" "$(drv status "$MAIN_CAPTION" 0)"

check "three replays are dragged onto the incoming list" \
  drag "$(winpath "$src/REPLAY12.dat")" "$(winpath "$src/REPLAY01.dat")" "$(winpath "$src/REPLAY03.dat")"
expect_eventually "they arrive in path order" \
  "REPLAY01.dat REPLAY03.dat REPLAY12.dat" 20 incoming_names
rows=$(incoming_rows)
expect_eq "the No column is empty" "" "$(cut -f1 <<<"$rows" | tr -d '\n')"
# Odd seconds count as the even second below.
expect_eq "REPLAY12's date" "2026/11/20 9:41:06" "$(grep $'\tREPLAY12.dat\t' <<<"$rows" | cut -f3)"

echo "  -- 開始 with 上書きしない (as stored)"
check "開始 is clicked" drv click "$MAIN_CAPTION" "$ID_START"
expect_eventually "the incoming list is emptied" "" 20 incoming_rows
expect_eventually "the left list shows the two new replays" "01 03 12" 20 listed_slots
check "the existing REPLAY01.dat is kept" cmp -s "$folder/REPLAY01.dat" "$SCENARIO_DIR/kept01"
check "REPLAY12.dat is copied" cmp -s "$folder/REPLAY12.dat" "$src/REPLAY12.dat"
check "REPLAY03.dat is copied" cmp -s "$folder/REPLAY03.dat" "$src/REPLAY03.dat"
check "a copy keeps its source" test -f "$src/REPLAY12.dat"
expect_eq "the total counts the new ones" "Total 6 KByte" "$(drv status "$MAIN_CAPTION" 0)"
screenshot after_transfer

echo "  -- データを移動する with one file"
check "データを移動する is clicked" drv click "$MAIN_CAPTION" "$ID_MOVE"
expect_eventually "データを移動する is chosen" 1 10 drv checked "$MAIN_CAPTION" "$ID_MOVE"
check "REPLAY44 is dragged onto the incoming list" drag "$(winpath "$src2/REPLAY44.dat")"
expect_eventually "it arrives" "REPLAY44.dat" 20 incoming_names
check "開始 is clicked" drv click "$MAIN_CAPTION" "$ID_START"
expect_eventually "the left list shows it" "01 03 12 44" 20 listed_slots
check "the moved file has left its source folder" test ! -e "$src2/REPLAY44.dat"
check "the moved file is unchanged" cmp -s "$folder/REPLAY44.dat" "$SCENARIO_DIR/kept44"

check "\"終了(&E)\" is chosen" drv command "$MAIN_CAPTION" "$CMD_EXIT"
check "the program ends" app_wait_exit 10
expect_eq "with exit code 0" 0 "$APP_STATUS"
