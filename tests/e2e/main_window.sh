#!/usr/bin/env bash
# The main window as a user sees it: the game installed, a replay folder with
# replays, a file that only has a replay's name and a folder with one; the
# window lists the replays with their dates and the total size, and "終了(&E)"
# ends the program.
# Arguments: the exe, the build folder.
source "$(dirname "$0")/lib/common.bash"
e2e_init "$@"

scenario installed
set_install_path 'C:\Program Files\SEGA\PuyoF\'
folder=$(wine_replay_folder "$WINEPREFIX")
mkdir -p "$folder"
write_replay "$folder/REPLAY01.dat" 3000
write_replay "$folder/REPLAY02.dat" 4000
write_replay "$folder/REPLAY07.dat" 64
truncate -s 1100000 "$folder/REPLAY07.dat"  # only the header is read
write_replay "$folder/REPLAY15.dat" 700
touch -d '2024-03-09 08:05:03' "$folder/REPLAY01.dat"
touch -d '2025-01-05 00:00:00' "$folder/REPLAY02.dat"
touch -d '2026-12-01 21:15:31' "$folder/REPLAY07.dat"
touch -d '2026-07-20 13:00:58' "$folder/REPLAY15.dat"
head -c 5000 /dev/zero > "$folder/REPLAY09.dat"
mkdir "$folder/REPLAY10.dat"

app_start
check "the window \"$MAIN_CAPTION\" appears" drv wait "$MAIN_CAPTION" 20
# Wine's ja-JP forms are yyyy/M/d and H:mm:ss. Odd seconds count as the even
# second below; midnight shows the date alone. (The driver reads one column
# more than the list shows.)
expected=$(printf '%s\n' \
  $'01\t2024/3/9 8:05:02\t' \
  $'02\t2025/1/5\t' \
  $'07\t2026/12/1 21:15:30\t' \
  $'15\t2026/7/20 13:00:58\t' | sort)
expect_eq "the left list holds the four replays with their dates" \
  "$expected" "$(drv items "$MAIN_CAPTION" "$ID_LIST_CURRENT" | sort)"
# 3000 + 4000 + 1100000 + 700 bytes = 1081.7 KByte
expect_eq "the first status panel shows the total" \
  "Total 1,082 KByte" "$(drv status "$MAIN_CAPTION" 0)"
expect_eq "no progress bar text in the second panel" "" "$(drv status "$MAIN_CAPTION" 1)"

screenshot main_window

check "\"終了(&E)\" is chosen" drv command "$MAIN_CAPTION" "$CMD_EXIT"
check "the program ends" app_wait_exit 10
check "the window is gone" drv gone "$MAIN_CAPTION" 2
expect_eq "with exit code 0" 0 "$APP_STATUS"
