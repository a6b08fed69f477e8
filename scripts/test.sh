#!/usr/bin/env bash
# Sets everything up and runs every test: host (native, then ASan/UBSan),
# the fuzzers for a bounded time, the shipped exe's import check, and the
# Windows and end-to-end tests under wine64 + Xvfb, and one end-to-end run of
# the shipped i686 exe under user-mode emulation.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
export SLOTWELL_BUILD=$out

bash "$root/scripts/setup.sh" || exit 1
bash "$root/scripts/build.sh" host host-asan win64 win32 || exit 1

status=0
passed=0
failed=0
log=$(mktemp)
run_ctest() {  # $1 = build folder, rest = ctest options
  local dir=$1; shift
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line; line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f)); failed=$((failed + f))
  fi
  [ "$rc" -eq 0 ] || status=1
}

echo "== host tests"
run_ctest "$out/host" -j "$(nproc)"
echo "== host tests under AddressSanitizer and UBSan"
run_ctest "$out/host-asan" -j "$(nproc)"

echo "== shipped exe"
if bash "$root/scripts/check-exe.sh" "$out/win32/slotwell.exe"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi

echo "== release zip, built twice"
if bash "$root/scripts/check-dist.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi

if [ -d "$root/fuzz" ]; then
  echo "== fuzzing (bounded)"
  if bash "$root/scripts/build.sh" fuzz && bash "$root/scripts/fuzz.sh" "$out/fuzz"; then
    passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
fi

echo "== Windows and end-to-end tests under wine64"
source "$root/scripts/wine-env.sh"
export WINE_TEMPLATE="$out/wine-template"
wine_env_start "$out/wine-tests" "$WINE_TEMPLATE" || exit 1
trap wine_env_stop EXIT
run_ctest "$out/win64"
echo "== the shipped exe itself, emulated (wine32 under qemu-i386)"
if bash "$root/tests/e2e-i686/run.sh" "$out/win32/slotwell.exe" "$out/win64"; then
  passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
wine_env_stop
trap - EXIT

rm -f "$log"
echo
echo "all: $passed passed, $failed failed"
exit $status
