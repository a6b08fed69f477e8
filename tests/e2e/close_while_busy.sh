#!/usr/bin/env bash
# Close from the taskbar in the middle of a transfer, while the shell asks
# whether to replace a replay: the program stays, the question is answered and
# the run completes; once idle, the same Close ends the program.
# Args: the exe, the build folder. Needs DISPLAY and WINE_TEMPLATE (test.sh).
source "$(dirname "$0")/lib/common.bash"
e2e_init "$@"

APP_CAPTION=$(basename "$EXE" .exe)  # the owner window carries the program's title
OVERWRITE_CAPTION="ファイルの上書きの確認"  # Wine's shell
ID_OVERWRITE=1200
ID_START=1007
ID_LIST_INCOMING=1002
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

scenario taskbar_close_during_transfer
folder=$(wine_replay_folder "$WINEPREFIX")
mkdir -p "$folder" "$SCENARIO_DIR/src"
write_replay "$folder/REPLAY01.dat" 1024
set_install_path 'C:\Game\'
write_replay "$SCENARIO_DIR/src/REPLAY01.dat" 3072
app_start
check "the window shows" drv wait "$MAIN_CAPTION" 30
check "上書きする chosen" drv click "$MAIN_CAPTION" "$ID_OVERWRITE"
timeout 60 "$WINE64" "$BUILD/dragsource.exe" "$MAIN_CAPTION" 296 128 "$(winpath "$SCENARIO_DIR/src/REPLAY01.dat")" \
  </dev/null >/dev/null 2>&1 || fail "the drag did not drop"
expect_eq "one incoming row" 1 "$(drv items "$MAIN_CAPTION" "$ID_LIST_INCOMING" | grep -c REPLAY01.dat)"

check "開始 pressed" drv click "$MAIN_CAPTION" "$ID_START"
check "the shell asks before it replaces REPLAY01.dat" drv dialog "$OVERWRITE_CAPTION" 30
check "Close on the taskbar button sent" drv taskbar-close "$APP_CAPTION"
check_not "the program did not end in the middle of the run" app_wait_exit 3
check "the question is still open" drv dialog "$OVERWRITE_CAPTION" 5
check "はい answers it" drv press "$OVERWRITE_CAPTION" 6

wait_rows() {  # $1 = list id, $2 = expected row count, within 20 s
  local i
  for i in $(seq 100); do
    [ "$(drv items "$MAIN_CAPTION" "$1" | grep -c .)" = "$2" ] && return 0
    sleep 0.2
  done
  return 1
}
check "the incoming list is emptied" wait_rows "$ID_LIST_INCOMING" 0
check "the folder is rescanned" wait_rows "$ID_LIST_CURRENT" 1
check "REPLAY01.dat is replaced" cmp -s "$folder/REPLAY01.dat" "$SCENARIO_DIR/src/REPLAY01.dat"
expect_eq "the total of the replaced file" "Total 3 KByte" "$(drv status "$MAIN_CAPTION" 0)"

check "idle, Close on the taskbar button sent again" drv taskbar-close "$APP_CAPTION"
check "the program ends" app_wait_exit 20
expect_eq "exit code" 0 "$APP_STATUS"
