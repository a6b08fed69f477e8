#!/usr/bin/env bash
# The benchmark of the program's two long loops, as a user meets them: the
# real x86_64 slotwell.exe under wine64 + Xvfb, driven from outside by
# driver.exe and dragsource.exe, against the bare reference benchref.exe
# (tests/bench/benchref.cpp: the same platform work in a window of the same
# layout, nothing of the component layer), rounds interleaved in one run.
# Prints one table: each timing the median and range of the rounds, and
# program / reference.
#   bash scripts/bench.sh
# Environment:
#   BENCH_ROUNDS=5                  rounds of every timing
#   BENCH_DROPS="250 1000 10000"    sizes of the drops (replay files of one folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
export SLOTWELL_BUILD=$out
rounds=${BENCH_ROUNDS:-5}
read -r -a drops <<<"${BENCH_DROPS:-250 1000 10000}"
[[ $rounds =~ ^[1-9][0-9]*$ ]] || { echo "BENCH_ROUNDS: a positive number" >&2; exit 2; }
for n in "${drops[@]}"; do [[ $n =~ ^[1-9][0-9]*$ ]] || { echo "BENCH_DROPS: positive numbers" >&2; exit 2; }; done
largest=$(printf '%s\n' "${drops[@]}" | sort -n | tail -1)

# The scanned folder: 5,000 entries, 150 of them replays of 10,240 bytes, so
# the 101 listed ones always total 1,010 KByte.
ENTRIES=5000
LISTED=101
TOTAL_TEXT="Total 1,010 KByte"

bash "$root/scripts/setup.sh"
echo "building..."
# Only what the benchmark runs, once the win64 build is configured.
if [ -f "$out/win64/build.ninja" ]; then
  cmake --build "$out/win64" --target slotwell benchref driver dragsource >/dev/null
else
  bash "$root/scripts/build.sh" win64 >/dev/null
fi
bash "$root/scripts/build.sh" win32 >/dev/null
source "$root/scripts/wine-env.sh"
export WINE_TEMPLATE="$out/wine-template"
wine_env_template "$WINE_TEMPLATE"

work="$out/bench"
prefix="$work/prefix"
mkdir -p "$work"
wine_prefix_new "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 HOME="$WINE_TEMPLATE.home" TZ=UTC
wine_display_start
cleanup() {
  wine_server_stop
  wine_display_stop
}
trap cleanup EXIT
wine_server_start </dev/null >/dev/null 2>&1
timeout 60 "$WINE64" reg add 'HKCU\Software\Sega\PuyoF' /v 'Install Path' /d 'C:\Program Files\SEGA\PuyoF\' /f \
  </dev/null >/dev/null 2>&1

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
DRIVER="$out/win64/driver.exe"
declare -A EXE=([program]=$(winpath "$out/win64/slotwell.exe") [reference]=$(winpath "$out/win64/benchref.exe"))
declare -A CAPTION=([program]="ru^2 zazod Slotwell" [reference]="Slotwell bench reference")

# --- Data ---------------------------------------------------------------------
sega=$(dirname "$(wine_replay_folder "$prefix")")
echo "writing the scanned folder and ${largest} replay files to drop..."
python3 - "$sega" "$work/drop" "$ENTRIES" "$largest" 1 "${drops[@]}" <<'EOF'
import os, random, shutil, sys, time
sega, drop, entries, largest = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
sizes = [int(n) for n in sys.argv[5:]]
TYPE_TAG, GAME_TAG = bytes.fromhex('D8CCDFDAB2CCA7B27BD9'), bytes.fromhex('82D582E6')
rnd = random.Random(2026)
base = time.mktime((2025, 1, 1, 0, 0, 0, 0, 0, -1))  # a midnight: the date alone

def write(path, data, when):
    with open(path, 'wb') as f:
        f.write(data)
    os.utime(path, (when, when))

def replay(name, size):
    b = bytearray((name.encode() * (size // len(name) + 2))[:size])
    b[9:19], b[22:26] = TYPE_TAG, GAME_TAG
    return bytes(b)

full, empty = os.path.join(sega, 'full'), os.path.join(sega, 'empty')
for d in (full, empty, drop):
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
# Slots of digits and letters, told apart without regard to case.
chars = '0123456789abcdefghijklmnopqrstuvwxyz'
slots = [a + b for a in chars for b in chars]
rnd.shuffle(slots)
slots = [''.join(c.upper() if rnd.random() < 0.5 else c for c in s) for s in slots]
valid, failing = 150, 850
for i in range(valid):
    name = 'REPLAY%s.dat' % slots[i]
    write(os.path.join(full, name), replay(name, 10240), base + i * 86400 * 3 + (i % 7) * 4001)
bad = [lambda n: b'', lambda n: replay(n, 26)[:25], lambda n: replay(n, 64)[:22] + b'\x82\xD5\x82\xE5',
       lambda n: b'not a replay, but the name of one\n']
for i in range(failing):
    name = 'REPLAY%s.dat' % slots[valid + i]
    write(os.path.join(full, name), bad[i % len(bad)](name), base + i * 5003)
# Names the search passes over, all of them 8.3 names of their own.
other = ['memo%04d.txt', 'SAVE%04d.DAT', 'RPL%05d.dat', 'REPLAY%02d.bak']
for i in range(entries - valid - failing):
    name = other[i % len(other)] % (i // len(other))
    write(os.path.join(full, name), b'x' * (i % 300), base + i * 601)

paths = []
for i in range(largest):
    name = 'REPLAY%05d.dat' % i
    path = os.path.join(drop, name)
    write(path, replay(name, 600), base + i * 7207)
    paths.append('Z:' + os.path.abspath(path).replace('/', '\\'))
for n in sizes:
    chosen = paths[:n]
    rnd.shuffle(chosen)  # as a file manager may hand them over: the drop sorts them
    with open(os.path.join(os.path.dirname(drop), 'drop-%d.txt' % n), 'w') as f:
        f.write('\n'.join(chosen) + '\n')
EOF
mv "$sega/full" "$sega/PuyoF"
folder=full
use_folder() {  # full | empty: which one is the replay folder now
  [ "$folder" = "$1" ] && return 0
  mv "$sega/PuyoF" "$sega/$folder"
  mv "$sega/$1" "$sega/PuyoF"
  folder=$1
}

# --- Measuring -----------------------------------------------------------------
results="$work/results.txt"
: >"$results"

drv() {  # $1 = seconds, rest = driver arguments; its output without CRs
  timeout "$1" "$WINE64" "$DRIVER" "${@:2}" </dev/null | tr -d '\r'
}

fail() {
  echo "bench: $*" >&2
  exit 1
}

record() {  # subject, measure, value
  [[ $3 =~ ^[0-9]+(\.[0-9]+)?$ ]] || fail "$1, $2: no figure"
  echo "$1 $2 $3" >>"$results"
}

close_window() {  # subject
  drv 30 close "${CAPTION[$1]}" || fail "$1 did not take Close"
  drv 70 gone "${CAPTION[$1]}" 60 || fail "$1 did not end"
}

start_window() {  # subject, rows, status: the start-up and scan, timed
  drv 150 bench-start "${EXE[$1]}" "${CAPTION[$1]}" "$2" "$3" 120
}

run_subject() {  # subject
  local s=$1 n
  use_folder full
  record "$s" startup "$(start_window "$s" "$LISTED" "$TOTAL_TEXT")"
  close_window "$s"

  # A window over an empty folder, which then fills.
  use_folder empty
  start_window "$s" 0 "" >/dev/null || fail "$s: no window over the empty folder"
  use_folder full
  record "$s" rescan "$(drv 150 bench-rescan "${CAPTION[$s]}" "$LISTED" "$TOTAL_TEXT" 120)"
  # The first drop into a process sets up Wine's COM marshalling (about half
  # a second): one untimed file first, so every size is timed alike.
  drv 90 bench-drop "${CAPTION[$s]}" 1 "$(winpath "$work/drop-1.txt")" 60 >/dev/null || fail "$s: no first drop"
  for n in "${drops[@]}"; do
    local seconds=$((60 + n / 20))
    record "$s" "drop$n" "$(drv $((seconds + 30)) bench-drop "${CAPTION[$s]}" "$n" \
      "$(winpath "$work/drop-$n.txt")" "$seconds")"
  done
  record "$s" memory "$(drv 30 bench-memory "${CAPTION[$s]}")"
  close_window "$s"
}

echo "warming up..."
for s in program reference; do
  use_folder full
  start_window "$s" "$LISTED" "$TOTAL_TEXT" >/dev/null || fail "$s did not start"
  close_window "$s"
done
for ((r = 1; r <= rounds; ++r)); do
  echo "round $r of $rounds..."
  # Interleaved, each first in every other round.
  if ((r % 2)); then order=(program reference); else order=(reference program); fi
  for s in "${order[@]}"; do run_subject "$s"; done
done

# --- The table -----------------------------------------------------------------
stats() {  # subject measure -> "median min max"
  awk -v s="$1" -v m="$2" '$1 == s && $2 == m { print $3 }' "$results" | sort -g |
    awk '{ v[NR] = $1 } END { med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print med, v[1], v[NR] }'
}
group() {  # 1234567 -> 1,234,567
  local n=$1 s=""
  while ((${#n} > 3)); do s=",${n: -3}$s"; n=${n:0:${#n}-3}; done
  echo "$n$s"
}

row() {  # label measure target(ratio or -)
  local p r ratio verdict=""
  read -r pm pmin pmax < <(stats program "$2")
  read -r rm rmin rmax < <(stats reference "$2")
  p=$(printf '%.0f ms (%.0f-%.0f)' "$pm" "$pmin" "$pmax")
  r=$(printf '%.0f ms (%.0f-%.0f)' "$rm" "$rmin" "$rmax")
  ratio=$(awk -v a="$pm" -v b="$rm" 'BEGIN { printf "%.2f", a / b }')
  if [ "$3" != - ]; then
    verdict=$(awk -v x="$ratio" -v t="$3" 'BEGIN { print (x <= t ? "ok" : "MISSED") }')
    verdict="<= $3 $verdict"
  fi
  printf '%-30s %-26s %-26s %-7s %s\n' "$1" "$p" "$r" "$ratio" "$verdict"
}

exe32="$out/win32/slotwell.exe"
size32=$(stat -c %s "$exe32")
read -r pmem _ < <(stats program memory)
read -r rmem _ < <(stats reference memory)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
{
  echo
  echo "Slotwell benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "machine: ${cpu:-unknown CPU}, $(nproc) cores, $(uname -sr), $("$WINE64" --version) (wine64 + Xvfb)"
  echo "rounds: $rounds, program and bare reference interleaved; median (min-max)"
  ((rounds >= 5)) || echo "(fewer than 5 rounds: a trial run, not a record)"
  echo
  printf '%-30s %-26s %-26s %-7s %s\n' "" "program" "bare reference" "ratio" "target"
  row "start-up + scan, $(group $ENTRIES) entries" startup 1.3
  row "rescan, $(group $ENTRIES) entries" rescan 1.5
  for n in "${drops[@]}"; do
    target=-
    case $n in 1000 | 10000) target=1.5 ;; esac
    row "drop of $(group "$n") files" "drop$n" "$target"
  done
  printf '%-30s %-26s %-26s %-7s\n' "peak working set, $(group "$largest") drop" \
    "$(group $((${pmem%.*} / 1024))) KiB" "$(group $((${rmem%.*} / 1024))) KiB" \
    "$(awk -v a="$pmem" -v b="$rmem" 'BEGIN { printf "%.2f", a / b }')"
  printf '%-30s %-26s %-26s %-7s %s\n' "i686 slotwell.exe" "$(group "$size32") bytes" "" "" \
    "< 327,680 $( ((size32 < 327680)) && echo ok || echo MISSED)"
} | sed "s/ *$//" | tee "$work/table.txt"
