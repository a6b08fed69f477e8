# Sourced by the end-to-end scripts (tests/e2e/*.sh, arguments: the exe, the
# build folder). Each scenario runs in a Wine prefix of its own, copied from
# WINE_TEMPLATE, on the DISPLAY the caller set up; the driver (driver.exe of
# the same build) plays the user from outside the program's process.
#   e2e_init "$@"            once, at the top of a script
#   scenario NAME            a new prefix + its server (the last one stopped)
#   app_start [SECONDS] / app_wait_exit SECONDS / app_kill
#   drv ARGS...              the driver, its output in UTF-8
#   check DESC CMD...        runs CMD; a failure ends the script
#   check_not DESC CMD...    the same for a CMD that must fail
#   expect_eq DESC EXPECTED ACTUAL
#   wait_for DESC SECONDS CMD...               CMD re-run until it succeeds
#   expect_eventually DESC EXPECTED SECONDS CMD...  CMD's output re-read until
#                            it is EXPECTED (what the program does after a
#                            click or a drop comes through its own queue)
#   screenshot NAME          the window, as build/screenshots/NAME.png
#   set_install_path TEXT, set_windows_version VERSION, new_replay_folder DIR
set -euo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck source=../../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"

MAIN_CAPTION="ru^2 zazod Slotwell"
QUESTION_CAPTION="エラー"
BROWSER_CAPTION="フォルダーの参照"  # Wine's own title of the folder browser
CMD_EXIT=2004
ID_LIST_CURRENT=1001
ID_LIST_INCOMING=1002

e2e_init() {
  [ $# -ge 2 ] || { echo "usage: $0 EXE BUILD_DIR" >&2; exit 2; }
  EXE=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  BUILD=$(cd "$2" && pwd)
  DRIVER="$BUILD/driver.exe"
  E2E_NAME=$(basename "$0" .sh)
  E2E_WORK="$BUILD/e2e/$E2E_NAME"
  : "${WINE_TEMPLATE:?the template prefix (set by scripts/test.sh)}"
  : "${DISPLAY:?an X display (set by scripts/test.sh)}"
  export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 HOME="$WINE_TEMPLATE.home"
  # File dates are set here and read back by Wine in local time: one zone
  # without daylight saving for both.
  export TZ=UTC
  APP_PID=
  SCENARIO_DIR=
  E2E_START=$SECONDS
  trap e2e_cleanup EXIT
}

e2e_cleanup() {
  local rc=$?
  app_kill
  scenario_end
  if [ "$rc" -eq 0 ]; then
    [ -z "$SCENARIO_DIR" ] || rm -rf "$SCENARIO_DIR"
    echo "$E2E_NAME: all checks passed ($((SECONDS - E2E_START)) s)"
  else
    echo "$E2E_NAME: FAILED (prefix kept in ${SCENARIO_DIR:-$E2E_WORK})"
  fi
  exit "$rc"
}

# Ends the current scenario: its server, and its prefix unless a check failed.
scenario_end() {
  [ -n "$SCENARIO_DIR" ] || return 0
  app_kill
  wine_server_stop
  return 0
}

scenario() {  # $1 = name
  if [ -n "$SCENARIO_DIR" ]; then
    scenario_end
    rm -rf "$SCENARIO_DIR"
  fi
  SCENARIO_DIR="$E2E_WORK/$1"
  echo "== $E2E_NAME: $1"
  wine_prefix_new "$SCENARIO_DIR/prefix"
  export WINEPREFIX="$SCENARIO_DIR/prefix"
  # No pipe of the caller's stays open in the server (a killed script would
  # otherwise leave CTest waiting for it).
  wine_server_start </dev/null >/dev/null 2>&1
}

# The program, in the background; a hang ends with the timeout (60 s).
app_start() {
  timeout "${1:-60}" "$WINE64" "$EXE" </dev/null >/dev/null 2>&1 &
  APP_PID=$!
}

# Waits up to $1 seconds for the program to end; false if it still runs.
# Its exit code is then in APP_STATUS.
app_wait_exit() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$APP_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
  APP_STATUS=0
  wait "$APP_PID" || APP_STATUS=$?
  APP_PID=
}

app_kill() {
  [ -n "${APP_PID:-}" ] || return 0
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
}

# The driver; its CP932 output as UTF-8. CRs pass through as the window's
# text holds them (the driver writes in binary mode).
drv() {
  local out rc=0
  out=$(timeout 30 "$WINE64" "$DRIVER" "$@" 2> >(iconv -f CP932 -t UTF-8 >&2)) || rc=$?
  printf '%s' "$out" | iconv -f CP932 -t UTF-8
  [ -z "$out" ] || echo
  return "$rc"
}

fail() {
  echo "  FAIL: $*" >&2
  local shot="$BUILD/screenshots/${E2E_NAME}_failed.png"
  mkdir -p "$(dirname "$shot")"
  import -display "$DISPLAY" -window root "$shot" 2>/dev/null && echo "  the screen at the failure: $shot" >&2
  exit 1
}

check() {  # $1 = what is checked, rest = the command
  local what=$1; shift
  echo "  check: $what"
  "$@" || fail "$what"
}

check_not() {  # $1 = what is checked, rest = a command that must fail
  local what=$1; shift
  echo "  check: $what"
  ! "$@" 2>/dev/null || fail "$what"
}

expect_eq() {  # $1 = what, $2 = expected, $3 = actual
  echo "  check: $1"
  if [ "$2" != "$3" ]; then
    echo "    expected: $(printf '%q' "$2")" >&2
    echo "    actual:   $(printf '%q' "$3")" >&2
    fail "$1"
  fi
}

wait_for() {  # $1 = what, $2 = seconds, rest = the command
  local what=$1 deadline=$((SECONDS + $2)); shift 2
  echo "  check: $what"
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what"
    sleep 0.1
  done
}

expect_eventually() {  # $1 = what, $2 = expected, $3 = seconds, rest = the command
  local what=$1 expected=$2 deadline=$((SECONDS + $3)) actual; shift 3
  echo "  check: $what"
  while actual=$("$@" 2>/dev/null); [ "$actual" != "$expected" ]; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "    expected: $(printf '%q' "$expected")" >&2
      echo "    actual:   $(printf '%q' "$actual")" >&2
      fail "$what"
    fi
    sleep 0.1
  done
}

screenshot() {  # $1 = name
  local shot="$BUILD/screenshots/$1.png" x y w h
  mkdir -p "$(dirname "$shot")"
  read -r x y w h < <(drv rect "$MAIN_CAPTION")
  check "a screenshot of the window (${w}x${h} at $x,$y)" \
    import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
  echo "  screenshot: $shot"
}

wine_reg_add() {  # arguments of `reg add`
  timeout 60 "$WINE64" reg add "$@" /f </dev/null >/dev/null 2>&1 || fail "reg add $1"
}

set_install_path() {  # $1 = the recorded installation path
  wine_reg_add 'HKCU\Software\Sega\PuyoF' /v 'Install Path' /t REG_SZ /d "$1"
}

# Wine's per-exe version: win98 makes the program see the older family.
set_windows_version() {  # $1 = e.g. win98
  wine_reg_add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$EXE")" /v Version /d "$1"
}

# A folder holding REPLAY01/02/07 (replays) and REPLAY09 (no replay).
new_replay_folder() {  # $1 = folder
  mkdir -p "$1"
  local n
  for n in 01 02 07; do write_replay "$1/REPLAY$n.dat" $((1000 + 10#$n * 100)); done
  echo "not a replay, but the name of one" > "$1/REPLAY09.dat"
}

# The slots listed in the left list, sorted (the platform's order is not).
listed_slots() {
  drv items "$MAIN_CAPTION" "$ID_LIST_CURRENT" | cut -f1 | sort | paste -sd' '
}
