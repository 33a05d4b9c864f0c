#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, GL under Xvfb, end to end).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQV_WERROR=ON -DBUILD_TESTING=ON
cmake --build build -j "$(nproc)"
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
