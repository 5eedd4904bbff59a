#!/bin/sh
# Usage: check-lintian.sh BUILD_DIR
#
# Builds the .deb from the build folder into a scratch folder of its own and
# fails on any error or warning lintian reports of it. Skipped (77) without
# lintian.
command -v lintian >/dev/null 2>&1 || { echo "lintian not installed: skipping"; exit 77; }
scratch="$1/packaging/lintian-check"
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
cpack --config "$1/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
lintian --fail-on error,warning --info "$scratch"/*.deb
