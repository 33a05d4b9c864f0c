#!/usr/bin/env bash
# Installs what is missing, builds, lays out the runnable demo in build/demo/ and starts it
# there (the program reads its Data/ folder relative to the working directory).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
cd build/demo
exec ./quintaval "$@"
