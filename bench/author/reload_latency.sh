#!/usr/bin/env bash
# Reload latency in author mode: from saving a file to the first frame on screen that
# shows it, for a shader, a sync track and a 1280x720 picture of a sequence. Runs the
# real player (--author, paused) on a scratch copy of the sample demo under its own
# Xvfb, saves each change the way editors do (write a new file, rename it over the old),
# and polls the screen. Prints the (lower) median of six saves of each kind.
#   bench/author/reload_latency.sh [BUILD_DIR]     (default build/; the demo must be built)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [[ -z "${QV_IN_XVFB:-}" ]]; then
  export QV_IN_XVFB=1 QV_XVFB_SCREEN=1280x720x24
  exec "$root/tests/support/with-xvfb.sh" "$0" "$build"
fi
probe=$build/tests/qv_screen_probe
tracks=$build/bin/quintaval-tracks
demo=$build/demo
tree=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$tree"' EXIT
mkdir "$tree/Data"
for entry in "$demo"/Data/*; do ln -s "$entry" "$tree/Data/"; done
for copied in Shaders Rocket Textures; do rm "$tree/Data/$copied"; cp -r "$demo/Data/$copied" "$tree/Data/"; done

hash() { "$probe" | cut -d' ' -f2; }
save() { cp "$2" "$1.tmp" && mv "$1.tmp" "$1"; }
# Milliseconds from a save of $2 over $1 to the first changed screen.
measure() {
  local before start
  before=$(hash)
  start=$(date +%s%N)
  save "$1" "$2"
  while [[ "$(hash)" == "$before" ]]; do
    (($(date +%s%N) - start < 10000000000)) || { echo "no change within 10 s" >&2; return; }
  done
  echo $((($(date +%s%N) - start) / 1000000))
}
median() { sort -n | sed -n 3p; }
# The sync track picks the 3D scene instead of the picture; the shader inverts pictures.

SDL_AUDIODRIVER=dummy "$build/demo/quintaval" --author --data "$tree" --start 10 >"$tree/out" 2>&1 &
pid=$!
until grep -q 'author mode' "$tree/out" 2>/dev/null; do sleep 0.2; done
sleep 4
xdotool key space
sleep 1

# The picture on screen: the sequence and frame the tracks pick at the paused time.
paused=$(grep -o 'paused at [0-9]*:[0-9.]*' "$tree/out" | tail -1 | cut -d' ' -f3)
row=$(awk -v t="$paused" 'BEGIN { split(t, p, ":"); print (p[1] * 60 + p[2]) * 14 }')
sequences=(CodeMonkey DrinkWater Graphics Music NotWatching OMG Tunge YoureBeingWatched1 YoureBeingWatched2
  YoureBeingWatched3 YoureBeingWatched4 YoureBeingWatched5 YoureBeingWatched6)
number=$("$tracks" eval "$demo/Data/Rocket/sync_anim.num.track" "$row")
folder=${sequences[$(awk -v n="$number" 'BEGIN { print int(n) - 1 }')]}
position=$("$tracks" eval "$demo/Data/Rocket/sync_anim.pos.track" "$row")
count=$(ls "$demo/Data/Textures/$folder" | wc -l)
frame=$(ls "$demo/Data/Textures/$folder" | LC_ALL=C sort | sed -n "$(awk -v p="$position" -v n="$count" 'BEGIN { if (p < 0) p = 0; if (p > 1) p = 1; print int(p * (n - 1)) + 1 }')p")
shown=$tree/Data/Textures/$folder/$frame
other=$demo/Data/Textures/Music/frame000.jpg
[[ "$folder" == Music ]] && other=$demo/Data/Textures/CodeMonkey/frame000.jpg
pictures=("$other" "$demo/Data/Textures/$folder/$frame")

printf 'track scene.num\n0 2 step\n' >"$tree/picture.sync"
"$tracks" compile "$tree/picture.sync" "$tree" >/dev/null
trackFiles=("$tree/sync_scene.num.track" "$demo/Data/Rocket/sync_scene.num.track")
printf '#version 330 core\nin vec2 uv;\nuniform sampler2D filterMap;\nuniform float alpha;\nout vec4 fragColor;\nvoid main() { vec4 c = texture(filterMap, uv); fragColor = vec4(1.0 - c.rgb, c.a * alpha); }\n' >"$tree/inverted.frag"
shaders=("$tree/inverted.frag" "$demo/Data/Shaders/Filters.frag")

for kind in track shader picture; do
  for ((i = 0; i < 6; i++)); do
    case $kind in
      track) measure "$tree/Data/Rocket/sync_scene.num.track" "${trackFiles[i % 2]}" ;;
      shader) measure "$tree/Data/Shaders/Filters.frag" "${shaders[i % 2]}" ;;
      picture) measure "$shown" "${pictures[i % 2]}" ;;
    esac
    sleep 0.5
  done | median | sed "s/^/$kind: /; s/$/ ms (median of 6 saves)/"
done
xdotool key Escape
wait $pid
