#!/usr/bin/env bash
# Builds Delvoran in Release (the release preset), installing what is
# missing, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target delvoran -j"$(nproc)"
exec build/release/src/delvoran "$@"
