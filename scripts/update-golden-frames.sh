#!/usr/bin/env bash
# Remakes the golden frames of the capture tests from the sample demo, with
# quintaval-capture at 320x180: run it after changing the sample demo on purpose, look at
# the new pictures, and commit them. Usage: scripts/update-golden-frames.sh [BUILD_DIR]
# (default build/; the demo and the tool must be built there). Needs an X display; without
# one it starts its own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
golden=$root/tests/tools/capture/golden
capture=$build/bin/quintaval-capture
[[ -x "$capture" ]] || { echo "no $capture: build the quintaval-capture target first" >&2; exit 1; }

if [[ -z "${DISPLAY:-}" ]]; then
  exec "$root/tests/support/with-xvfb.sh" "$0" "$build"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
while read -r name seconds; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  # One frame per second from SECONDS to SECONDS + 1: the frame at SECONDS exactly.
  "$capture" --data "$build/demo" --width 320 --height 180 --fps 1 --from "$seconds" \
    --to "$(awk -v s="$seconds" 'BEGIN { print s + 1 }')" --png "$scratch/$name" --quiet
  cp "$scratch/$name/frame-000000.png" "$golden/$name.png"
  echo "$name.png: frame at $seconds s"
done <"$golden/frames.txt"
