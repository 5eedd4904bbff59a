#!/usr/bin/env bash
# Builds Delvoran with its tests, installing what is missing, and runs the
# whole suite headless. Exits non-zero on any failure.
#   --werror    treat compiler warnings as errors, and check the sources
#               against .clang-format and .clang-tidy
#   --sanitize  the sanitize preset: a Debug build under AddressSanitizer
#               and UBSan, in build/sanitize
set -euo pipefail
cd "$(dirname "$0")"

preset=release
options=()
check_style=false
for argument in "$@"; do
  case "$argument" in
    --werror) options+=(-DDELVORAN_WERROR=ON); check_style=true ;;
    --sanitize) preset=sanitize ;;
    *) echo "usage: $0 [--werror] [--sanitize]" >&2; exit 2 ;;
  esac
done

tools/install-deps.sh --test
# Every log says which platform it proves.
echo "== $(. /etc/os-release && echo "$PRETTY_NAME"):" \
  "Qt $(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev)," \
  "$(c++ --version | head -n1), $(cmake --version | head -n1)"
cmake --preset "$preset" "${options[@]}" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"

# Once per change is enough: the release run checks the style.
if $check_style && [ "$preset" = release ]; then
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
  git ls-files -z 'src/*.cpp' 'tools/*.cpp' | xargs -0 -P"$(nproc)" -n1 clang-tidy -p build/release --quiet
fi

ctest --preset "$preset" -j"$(nproc)"
