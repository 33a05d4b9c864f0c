#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, GL under Xvfb, end to end).
# Exits non-zero when anything fails.
#   ./test.sh [CTEST ARGS]             the normal build in build/
#   ./test.sh --sanitize [CTEST ARGS]  the same suite built with AddressSanitizer and
#                                      UndefinedBehaviorSanitizer in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

if [[ ${1:-} == --sanitize ]]; then
  shift
  ./scripts/install-deps.sh
  # Set before building: the build runs the instrumented tools that generate the sample
  # demo. Leaks inside the system's GL, X and font libraries are theirs, not the program's.
  export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
  export LSAN_OPTIONS=suppressions=$PWD/cmake/lsan-suppressions.txt:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # -O1 as the sanitizers recommend: much quicker to build than -O3, still fast enough.
  # Benchmarks measure nothing useful under the sanitizers; they are left out.
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DQV_WERROR=ON -DBUILD_TESTING=ON \
    -DQV_SANITIZE=ON -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
  cmake --build build-asan -j "$(nproc)"
  cd build-asan
  # Every process that uses GL leaves two small blocks allocated by Mesa's driver, which is
  # unloaded before the leak check runs, so their stacks name no module and no suppression
  # can match them. GL and end-to-end tests (which run the GL programs) therefore run with
  # the leak check off; every other test with it on.
  status=0
  ctest --output-on-failure -j "$(nproc)" -LE '^(gl|e2e)$' "$@" || status=$?
  ASAN_OPTIONS=${ASAN_OPTIONS/detect_leaks=1/detect_leaks=0} \
    ctest --output-on-failure -j "$(nproc)" -L '^(gl|e2e)$' "$@" || status=$?
  exit "$status"
fi

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQV_WERROR=ON -DBUILD_TESTING=ON
cmake --build build -j "$(nproc)"
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
