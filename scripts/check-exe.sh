#!/usr/bin/env bash
# The shipped exe must load on both Windows families: a PE32 i386 GUI image,
# subsystem 4.0, importing only system DLLs and only functions both have;
# and at most 320 KiB.
set -euo pipefail
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail=0
err() { echo "check-exe: $*" >&2; fail=1; }

grep -q '^Magic[[:space:]]*010b' <<<"$dump" || err "not a PE32 image"
file_fmt=$(i686-w64-mingw32-objdump -f "$exe" | grep -o 'file format [^ ]*' || true)
[ "$file_fmt" = "file format pei-i386" ] || err "not i386 ($file_fmt)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$dump" || err "not a GUI subsystem image"
grep -Eq '^MajorSubsystemVersion[[:space:]]+4$' <<<"$dump" || err "subsystem major version is not 4"
grep -Eq '^MinorSubsystemVersion[[:space:]]+0$' <<<"$dump" || err "subsystem minor version is not 0"
size=$(stat -c %s "$exe")
limit=$((320 * 1024))
[ "$size" -le "$limit" ] || err "$size bytes, over the limit of $limit"

allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt)\.dll$'
dlls=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$dump")
for d in $dlls; do
  [[ $d =~ $allowed ]] || err "imports from $d"
done

# Functions: the lines between a DLL Name and the next blank line, name column.
funcs=$(awk '/DLL Name:/ {inimp=1; next} inimp && NF==0 {inimp=0} inimp && $1 ~ /^[0-9a-f]+$/ && NF>=3 {print $3}' <<<"$dump")
[ -n "$funcs" ] || err "no imported functions found"
runtime_w='^(GetModuleHandleW|LoadLibraryW|CreateSemaphoreW)$'
newer='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|TryEnterCriticalSection|GetHandleInformation|InitializeCriticalSectionEx|GetFileSizeEx|SetFilePointerEx|FindFirstFileExA|FindFirstFileExW|MoveFileExA|MoveFileExW|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|InitOnceExecuteOnce|SleepConditionVariableCS|WakeConditionVariable|InitializeSRWLock|AcquireSRWLockExclusive|GetSystemTimePreciseAsFileTime|GetSystemTimeAsPreciseFileTime|SetThreadStackGuarantee)$'
for f in $funcs; do
  if [[ $f =~ W$ ]] && ! [[ $f =~ $runtime_w ]]; then err "wide function $f"; fi
  [[ $f =~ $newer ]] && err "function newer than the older family: $f"
done
if [ $fail -eq 0 ]; then
  echo "check-exe: $exe is a PE32 i386 GUI 4.0 image of $size bytes; $(wc -w <<<"$dlls") system DLLs, $(wc -w <<<"$funcs") functions, all present on both families"
fi
exit $fail
