#!/usr/bin/env bash
# Builds the shipped exe and packs what a player downloads:
#   dist/slotwell-<version>.zip   slotwell.exe and readme.txt
#   dist/SHA256SUMS
# The version is VERSION's; every time in the zip is SOURCE_DATE_EPOCH, by
# default the commit's time, so one commit always gives the same bytes.
# SLOTWELL_DIST names another output folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
export SLOTWELL_BUILD=$out
dist=${SLOTWELL_DIST:-$root/dist}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" win32 >/dev/null
exe=$out/win32/slotwell.exe
bash "$root/scripts/check-exe.sh" "$exe" >/dev/null

version=$(head -n1 "$root/VERSION")
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) ||
    { echo "dist: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
# The caption as the program shows it, for readme.txt's title.
caption=$(sed -n 's/.*kCaption\[\] = "\(.*\)";.*/\1/p' "$root/src/ui/Texts.h")
[ -n "$caption" ] || { echo "dist: no kCaption in src/ui/Texts.h" >&2; exit 1; }

zip=slotwell-$version.zip
mkdir -p "$dist"
rm -f "$dist"/slotwell-*.zip "$dist/SHA256SUMS"
python3 "$root/scripts/dist.py" "$root/README.md" "$caption" "$version" "$SOURCE_DATE_EPOCH" "$exe" "$dist/$zip"
(cd "$dist" && sha256sum "$zip" > SHA256SUMS)
echo "dist: $dist/$zip ($(stat -c %s "$exe") byte exe), $(cut -c1-16 "$dist/SHA256SUMS")…"
