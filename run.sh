#!/usr/bin/env bash
# Builds Delvoran in Release, installing what is missing, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target delvoran -j"$(nproc)"
exec build/release/src/delvoran
