#!/usr/bin/env bash
# Runs the scenario of the shipped i686 exe (shipped_exe.sh) under user-mode
# emulation: checks that the emulation can be set up (a missing install step
# fails, it never skips) and makes the WoW64 prefix template once per build
# folder. A fault of the emulator itself gets one more attempt: qemu-user's
# i386 threads share one TLS descriptor, so now and then a signal sends one of
# Wine's threads into another's data. Such a fault shows as qemu's uncaught
# signal or Wine's trap -1; a fault of the program shows as Wine's exception
# report and is never retried.
# Arguments: the i686 exe, the win64 build folder (driver.exe, dragsource.exe).
# Needs DISPLAY and WINE_TEMPLATE (scripts/test.sh).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
: "${WINE_TEMPLATE:?the x86_64 template prefix (set by scripts/test.sh)}"
: "${DISPLAY:?an X display (set by scripts/test.sh)}"
[ $# -eq 2 ] || { echo "usage: $0 EXE WIN64_BUILD_DIR" >&2; exit 2; }

missing=$(wine_emulation_missing)
if [ -n "$missing" ]; then
  echo "shipped_exe: FAILED: cannot emulate the i686 exe, missing: ${missing//$'\n'/, } (scripts/setup.sh installs them)"
  exit 1
fi
started=$SECONDS
wine_wow64_template "$WINE_TEMPLATE-wow64" "$WINE_TEMPLATE" ||
  { echo "shipped_exe: FAILED: the WoW64 prefix template could not be made"; exit 1; }
echo "WoW64 prefix template ready ($((SECONDS - started)) s)"

log="$2/e2e/shipped_exe/emulated/app.log"
for attempt in 1 2; do
  WINE_TEMPLATE="$WINE_TEMPLATE-wow64" bash "$here/shipped_exe.sh" "$@" && exit 0
  grep -qE 'qemu: uncaught target signal|Got unexpected trap -1' "$log" 2>/dev/null || exit 1
  kept="$2/e2e/shipped_exe-attempt$attempt.log"
  cp "$log" "$kept"
  echo "shipped_exe: the emulator itself faulted, not the program (its log: $kept)"
done
exit 1
