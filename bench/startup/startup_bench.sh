#!/usr/bin/env bash
# Start-up benchmark: the player's loading path against the same work done one item after
# another by a bare program, on the sample demo, both as whole processes under one Xvfb
# with Mesa's software GL. The player's path is quintaval-capture drawing one 1280x720
# frame at 40 s into a scratch folder (window, shaders, every picture, model and Maya
# file, the music, the tracks, then the frame); the baseline is startup_bare_serial. The
# two run alternately RUNS times; the (lower) medians of wall time from process start to
# exit and of peak resident memory are printed with the ratios player / bare.
#   bench/startup/startup_bench.sh [BUILD_DIR] [RUNS]    (default build/ and 3)
# BUILD_DIR needs quintaval-capture, startup_bare_serial and the sample demo, as
# ./test.sh or a build leaves them. Uses GNU time (/usr/bin/time) for the peak memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-3}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "startup_bench: RUNS must be a whole number above 0, not '$runs'" >&2; exit 2; }
if [[ -z "${QV_IN_XVFB:-}" ]]; then
  export QV_IN_XVFB=1 QV_XVFB_SCREEN=1280x720x24
  exec "$root/tests/support/with-xvfb.sh" "$0" "$build" "$runs"
fi
capture=$build/bin/quintaval-capture
bare=$build/bench/startup_bare_serial
demo=$build/demo
for needed in "$capture" "$bare" "$demo/Data/Sound/Musica.mp3" /usr/bin/time; do
  [[ -e "$needed" ]] || { echo "startup_bench: $needed is missing" >&2; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs a command under GNU time; appends "seconds kilobytes" to $1, the command's
# standard error to $scratch/stderr.
measure() {
  local into=$1
  shift
  if ! /usr/bin/time -f '%e %M' -o "$scratch/time" "$@" >/dev/null 2>"$scratch/stderr"; then
    echo "startup_bench: failed: $*" >&2
    cat "$scratch/stderr" >&2
    exit 1
  fi
  cat "$scratch/time" >>"$into"
}

for ((i = 0; i < runs; i++)); do
  rm -rf "$scratch/frames"
  measure "$scratch/player" "$capture" --data "$demo" --png "$scratch/frames" --width 1280 --height 720 \
    --from 40 --to 40.01 --fps 60 --quiet
  measure "$scratch/bare" "$bare" "$demo"
  sed -n '$p' "$scratch/stderr" >>"$scratch/steps"
done

# The lower median of column $2 of file $1.
median() { sort -g -k"$2","$2" "$1" | awk -v c="$2" -v n="$runs" 'NR == int((n + 1) / 2) { print $c }'; }
pt=$(median "$scratch/player" 1) pm=$(median "$scratch/player" 2)
bt=$(median "$scratch/bare" 1) bm=$(median "$scratch/bare" 2)
echo "bare serial steps, run by run:"
sed 's/^startup_bare_serial: /  /' "$scratch/steps"
awk -v pt="$pt" -v pm="$pm" -v bt="$bt" -v bm="$bm" -v n="$runs" 'BEGIN {
  printf "startup: player %.2f s %.0f MB   bare serial %.2f s %.0f MB   time %.2fx   memory %.2fx\n",
         pt, pm / 1024, bt, bm / 1024, pt / bt, pm / bm
  printf "  (medians of %d alternate runs; whole processes; MB = 2^20 bytes of peak resident memory)\n", n
}'
