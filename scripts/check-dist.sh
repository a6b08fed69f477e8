#!/usr/bin/env bash
# The release as a player gets it: the zip's entries, the exe inside it, its
# readme.txt as Notepad on a Japanese Windows reads it, the checksum; then the
# same release from a copy of the sources in another folder, byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
export SLOTWELL_BUILD=$out
work=$out/dist-check
fail=0
err() { echo "check-dist: $*" >&2; fail=1; }

rm -rf "$work"
mkdir -p "$work"
# The copy has no history: it is given the commit's time for the zip. The
# first build runs without it, so a link time in the exe shows as a difference.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
SLOTWELL_DIST=$work/first bash "$root/scripts/dist.sh" >/dev/null
zip=$(cd "$work/first" && ls slotwell-*.zip)

entries=$(unzip -Z1 "$work/first/$zip" | tr '\n' ' ')
[ "$entries" = "slotwell.exe readme.txt " ] || err "entries are: $entries"
unzip -q "$work/first/$zip" -d "$work/unpacked"
bash "$root/scripts/check-exe.sh" "$work/unpacked/slotwell.exe" || err "the packed exe fails check-exe"
python3 - "$work/unpacked/readme.txt" <<'PY' || err "readme.txt is not for Notepad"
import sys
raw = open(sys.argv[1], "rb").read()
text = raw.decode("cp932")  # strict: a byte outside Shift-JIS fails
lines = raw.split(b"\r\n")
assert raw.endswith(b"\r\n") and not any(b"\r" in l or b"\n" in l for l in lines), "not CR LF throughout"
assert "ru^2 zazod Slotwell" in text, "no caption"
ja, en = text.find("使い方（日本語）"), text.find("Using Slotwell (English)")
assert 0 <= ja < en, "not Japanese then English"
assert "`" not in text and "## " not in text, "Markdown left over"
PY
(cd "$work/first" && sha256sum --quiet -c SHA256SUMS) || err "SHA256SUMS does not match"

# The second build: sources and build in other folders, another moment.
mkdir -p "$work/src"
tar -C "$root" --exclude=./.git --exclude=./build --exclude=./dist \
    --exclude="./${out#"$root"/}" -cf - . | tar -C "$work/src" -xf -
SOURCE_DATE_EPOCH=$epoch SLOTWELL_BUILD=$work/build SLOTWELL_DIST=$work/second bash "$work/src/scripts/dist.sh" >/dev/null
cmp "$out/win32/slotwell.exe" "$work/build/win32/slotwell.exe" || err "two builds give different exes"
cmp "$work/first/$zip" "$work/second/$zip" || err "two builds give different zips"
if strings -a "$work/build/win32/slotwell.exe" | grep -E "$root|$work|/build/" >&2; then
  err "build paths inside the exe"
fi

[ $fail -eq 0 ] && echo "check-dist: $zip holds the checked exe and readme.txt; two builds, same bytes"
exit $fail
