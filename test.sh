#!/usr/bin/env bash
# Builds Delvoran with its tests, installing what is missing, and runs the
# whole suite headless. Exits non-zero on any failure.
#   --werror    treat compiler warnings as errors
#   --sanitize  a separate Debug build under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build/release
options=(-DCMAKE_BUILD_TYPE=Release)
for argument in "$@"; do
  case "$argument" in
    --werror) options+=(-DDELVORAN_WERROR=ON) ;;
    --sanitize) build_dir=build/sanitize; options+=(-DCMAKE_BUILD_TYPE=Debug -DDELVORAN_SANITIZE=ON) ;;
    *) echo "usage: $0 [--werror] [--sanitize]" >&2; exit 2 ;;
  esac
done

tools/install-deps.sh --test
cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
