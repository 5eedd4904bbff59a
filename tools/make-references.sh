#!/usr/bin/env bash
# Usage: tools/make-references.sh [BUILD_DIR]
#
# Writes the pictures that test_reference compares the windows with, for the
# Debian release this runs on, into tests/reference/, from what a build of
# this tree draws (BUILD_DIR, by default build/release). For the others, in
# their chroots:
#   sudo tools/in-release.sh trixie tools/make-references.sh
#   sudo tools/in-release.sh sid tools/make-references.sh
#
# By hand only, never from CI: the test then passes for whatever the build
# draws, so look at every picture it writes, and check it against the
# layout's colours, fonts and positions, before committing it.
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target test_reference -j"$(nproc)"
DELVORAN_WRITE_REFERENCES=$PWD/tests/reference ctest --test-dir "$build" -R '^test_reference_' --output-on-failure
git status --short tests/reference
