#!/usr/bin/env bash
# Builds the reader fuzzers with clang into build-fuzz/ and runs each in turn for SECONDS
# (default 60) on one core. Every fuzzer starts from its seeds (the sample demo's files and
# the hand-made cases of fuzz/corpus/) plus what earlier runs found, kept in
# build-fuzz/fuzz/found/<name>/. An input that crashes, hangs, leaks or runs out of memory is
# written to build-fuzz/fuzz/artifacts/ and fails the run.
#   scripts/fuzz.sh [SECONDS] [NAME...]     NAME: track_file track_sheet obj mtl maya text_script
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
if (($# > 0)) && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
names=("$@")
if ((${#names[@]} == 0)); then
  names=(track_file track_sheet obj mtl maya text_script)
fi

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found (Debian packages clang and libclang-rt-14-dev)" >&2
  exit 1
fi

build=build-fuzz
# The generated seeds come from the normal build's sample demo when there is one; otherwise
# this build generates its own, with the instrumented generator (a few minutes).
seed_data=$PWD/$build/demo/Data
if [[ -d build/demo/Data/Rocket && -d build/demo/Data/Models ]]; then
  seed_data=$PWD/build/demo/Data
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export LSAN_OPTIONS=suppressions=$PWD/cmake/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQV_FUZZ=ON \
  -DBUILD_TESTING=OFF -DQV_FUZZ_SEED_DATA="$seed_data" >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log" >&2
  exit 1
}
targets=()
for name in "${names[@]}"; do targets+=("${name}_fuzzer"); done
cmake --build "$build" --target "${targets[@]}" fuzz-seeds -j 2

out=$build/fuzz
mkdir -p "$out/artifacts"
# Leaks are checked at the end of every input; the readers' own allocations must all be
# freed. -timeout: one input taking longer is a hang. -rss_limit_mb bounds what a damaged
# count may make a reader allocate. -max_len leaves room for the longest lines the readers
# accept (4096 characters) several times over. fuzz/dict/ lists each format's keywords.
passed=0
failed=0
for name in "${names[@]}"; do
  mkdir -p "$out/found/$name"
  log=$out/$name.log
  dict=()
  if [[ -f fuzz/dict/$name.dict ]]; then dict=(-dict="fuzz/dict/$name.dict"); fi
  echo "fuzz: $name for ${seconds}s"
  if "$out/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=20000 -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" "${dict[@]}" \
      "$out/found/$name" "$out/seeds/$name" >"$log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' "$log" | sed 's/^/  /' || true
  else
    failed=$((failed + 1))
    echo "fuzz: $name FAILED; log: $log" >&2
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5 | sed 's/^/  /' >&2 || true
  fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
