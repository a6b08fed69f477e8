#!/usr/bin/env bash
# Where the program finds the replay folder at start-up, and the questions it
# asks on the way: each answer as a user gives it, in a prefix of its own.
# Arguments: the exe, the build folder.
source "$(dirname "$0")/lib/common.bash"
e2e_init "$@"

NOT_INSTALLED=$'ぷよぷよフィーバーがインストールされていません。\r\n続ける場合はOKを押してください。'
FOLDER_MISSING=$'データ保存フォルダが見つかりませんでした。\r\nフォルダを直接指定しますか？(未保証)\r\nキャンセルで終了します。'
INSTRUCTION=$'データを保存するフォルダを指定してください。\r\n(ここにリプレイが保存されます)'
ID_OK=1
ID_CANCEL=2
ID_BROWSER_INSTRUCTION=0x3742

# The window shows and lists the slots $1 ("01 02 07").
expect_window_lists() {
  check "the window appears" drv wait "$MAIN_CAPTION" 20
  expect_eq "it lists the replays" "$1" "$(listed_slots)"
}

# The question $1 (text $2) waits, with no window shown yet.
expect_question() {
  expect_eq "$1 is asked" "$2" "$(drv dialog "$QUESTION_CAPTION" 20)"
  check_not "no window before the answer" drv wait "$MAIN_CAPTION" 0
}

# Answers $1 (a button of dialog $2) and expects the program to end without
# ever showing its window.
expect_end_on() {
  check "$1 ends the program and no window shows" \
    drv press-end "$2" "$3" "$MAIN_CAPTION" 15
  check "the process is gone" app_wait_exit 10
  expect_eq "with exit code 0" 0 "$APP_STATUS"
}

quit_program() {
  check "\"終了(&E)\" ends the program" drv command "$MAIN_CAPTION" "$CMD_EXIT"
  check "the process is gone" app_wait_exit 10
}

scenario installed-folder-present
set_install_path 'C:\Program Files\SEGA\PuyoF\'
new_replay_folder "$(wine_replay_folder "$WINEPREFIX")"
app_start
expect_window_lists "01 02 07"
check_not "no question is open" drv dialog "$QUESTION_CAPTION" 0
quit_program

scenario not-installed
new_replay_folder "$(wine_replay_folder "$WINEPREFIX")"
app_start
expect_question "question 1" "$NOT_INSTALLED"
expect_end_on "Cancel" "$QUESTION_CAPTION" $ID_CANCEL
echo "  -- second run, OK"
app_start
expect_question "question 1" "$NOT_INSTALLED"
check "OK is pressed" drv press "$QUESTION_CAPTION" $ID_OK
expect_window_lists "01 02 07"
quit_program

scenario folder-missing
set_install_path 'C:\Program Files\SEGA\PuyoF\'
# A name ending in "ソ" (83 5C): its trail byte is no separator.
chosen_win='C:\リプレイソ'
new_replay_folder "$WINEPREFIX/drive_c/リプレイソ"
rm "$WINEPREFIX/drive_c/リプレイソ/REPLAY02.dat"
app_start
expect_question "question 2" "$FOLDER_MISSING"
expect_end_on "Cancel" "$QUESTION_CAPTION" $ID_CANCEL
echo "  -- second run, OK, a folder chosen"
app_start
expect_question "question 2" "$FOLDER_MISSING"
check "OK is pressed" drv press "$QUESTION_CAPTION" $ID_OK
expect_eq "the folder browser shows the instruction" \
  "$INSTRUCTION" "$(drv dialog-item "$BROWSER_CAPTION" $ID_BROWSER_INSTRUCTION)"
check "$chosen_win is selected in the browser" drv browse-select "$BROWSER_CAPTION" "$chosen_win"
check "OK is pressed" drv press "$BROWSER_CAPTION" $ID_OK
expect_window_lists "01 07"
quit_program
echo "  -- third run, OK, the browser cancelled"
app_start
expect_question "question 2" "$FOLDER_MISSING"
check "OK is pressed" drv press "$QUESTION_CAPTION" $ID_OK
expect_end_on "Cancel in the browser" "$BROWSER_CAPTION" $ID_CANCEL

# The older family takes the recorded installation path as the replay folder;
# the application-data folder plays no part.
scenario older-family
set_windows_version win98
mkdir -p "$WINEPREFIX/drive_c/Games"
new_replay_folder "$WINEPREFIX/drive_c/Games/PuyoF"
set_install_path 'C:\Games\PuyoF'  # recorded without a final backslash
app_start
expect_window_lists "01 02 07"
quit_program
echo "  -- a Linux folder through Z:, recorded with a final backslash"
new_replay_folder "$SCENARIO_DIR/linux-folder"
rm "$SCENARIO_DIR/linux-folder/REPLAY01.dat"
set_install_path "Z:${SCENARIO_DIR//\//\\}\\linux-folder\\"
app_start
expect_window_lists "02 07"
quit_program

scenario older-family-not-installed
set_windows_version win98
new_replay_folder "$(wine_replay_folder "$WINEPREFIX")"  # not looked at
app_start
expect_question "question 1" "$NOT_INSTALLED"
check "OK is pressed" drv press "$QUESTION_CAPTION" $ID_OK
expect_question "question 2 (no recorded path to take)" "$FOLDER_MISSING"
expect_end_on "Cancel" "$QUESTION_CAPTION" $ID_CANCEL
