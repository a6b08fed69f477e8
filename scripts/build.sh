#!/usr/bin/env bash
# Configures and builds every flavour under build/:
#   host      portable core + native tests
#   host-asan the same under AddressSanitizer and UBSan
#   win64     the program's x86_64 twin, the Windows tests and tools (wine64)
#   win32     the shipped i686 slotwell.exe
# Usage: build.sh [flavour ...]   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${SLOTWELL_BUILD:-$root/build}
flavours=("$@")
[ ${#flavours[@]} -gt 0 ] || flavours=(host host-asan win64 win32)
jobs=$(nproc)

for f in "${flavours[@]}"; do
  args=(-G Ninja -S "$root" -B "$out/$f" -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev)
  case $f in
    host) ;;
    host-asan) args+=(-DSLOTWELL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-win64.cmake") ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-win32.cmake" -DSLOTWELL_TESTS=OFF -DCMAKE_BUILD_TYPE=MinSizeRel) ;;
    fuzz) args+=(-DCMAKE_CXX_COMPILER=clang++ -DSLOTWELL_FUZZ=ON -DSLOTWELL_TESTS=OFF) ;;
    *) echo "unknown flavour $f" >&2; exit 2 ;;
  esac
  [ -f "$out/$f/build.ninja" ] || cmake "${args[@]}" >/dev/null
  cmake --build "$out/$f" -j "$jobs"
done
