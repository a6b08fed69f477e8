#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for a bounded time (about 40 s in all),
# starting from its committed corpus, which it never writes to.
# Usage: fuzz.sh <fuzz build folder>
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: fuzz.sh <fuzz build folder>}
total=${SLOTWELL_FUZZ_SECONDS:-40}

fuzzers=()
for f in "$build"/fuzz_*; do
  [ -x "$f" ] && [ -f "$f" ] && fuzzers+=("$f")
done
[ ${#fuzzers[@]} -gt 0 ] || { echo "fuzz.sh: no fuzzers in $build" >&2; exit 1; }
each=$(( total / ${#fuzzers[@]} )); [ "$each" -ge 5 ] || each=5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for f in "${fuzzers[@]}"; do
  name=$(basename "$f")
  mkdir -p "$work/$name/new" "$work/$name/crash"
  seeds=("$root/fuzz/corpus/$name")
  [ -d "${seeds[0]}" ] || seeds=()
  echo "== $name for ${each}s"
  # New inputs go to the scratch folder; the committed corpus is only read.
  if ! timeout $((each + 60)) "$f" -max_total_time="$each" -timeout=10 -rss_limit_mb=1024 \
       -artifact_prefix="$work/$name/crash/" -print_final_stats=1 \
       "$work/$name/new" "${seeds[@]}" >"$work/$name/log" 2>&1; then
    status=1
    tail -40 "$work/$name/log"
    mkdir -p "$build/fuzz-crashes/$name"
    cp "$work/$name/crash/"* "$build/fuzz-crashes/$name/" 2>/dev/null
    echo "fuzz.sh: $name failed; inputs kept in $build/fuzz-crashes/$name" >&2
  else
    grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$work/$name/log" | tail -2
  fi
done
exit $status
