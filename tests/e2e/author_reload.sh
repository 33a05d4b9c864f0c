# Live reload in author mode, on a scratch copy of the sample demo's shaders, tracks and
# models: a changed track switches the scene within a second; a broken shader keeps the
# last good picture and logs the compiler's message, and the repaired one shows; a damaged
# model and a half-written picture keep their last good versions; a burst of 1,000 saves
# neither crashes nor stalls the program, and the last one shows.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

demo=$QV_DEMO_DIR
tracks="$QV_BINARY_DIR/bin/quintaval-tracks"
use_scratch_tree_without Shaders Rocket Models Textures
for copied in Shaders Rocket Models; do cp -r "$demo/Data/$copied" "$QV_DEMO_DIR/Data/$copied"; done
mkdir "$QV_DEMO_DIR/Data/Textures"
for entry in "$demo"/Data/Textures/*; do ln -s "$entry" "$QV_DEMO_DIR/Data/Textures/"; done
rm "$QV_DEMO_DIR/Data/Textures/Land.jpg"
cp "$demo/Data/Textures/Land.jpg" "$QV_DEMO_DIR/Data/Textures/Land.jpg"
data=$QV_DEMO_DIR/Data

start_quintaval --author --start 40
wait_for_line 'author mode: watching Data/' 180 || fail "author mode did not start"
sleep 4
xdotool key space
wait_for_line 'paused at' 10 || fail "Space did not pause"
before=$(wait_for_still_picture 10) || fail "the picture moves while paused"

# Saved as editors do: a new file renamed over the old one.
save() { cat >"$1.tmp" && mv "$1.tmp" "$1"; }

# The track that picks the scene now says "picture scene" at 40 s.
scratch=$(mktemp -d)
printf 'track scene.num\n0 1 step\n' >"$scratch/scene.sync"
"$tracks" compile "$scratch/scene.sync" "$scratch" >/dev/null || fail "cannot compile the test sheet"
picture=$scratch/sync_scene.num.track
threeD=$demo/Data/Rocket/sync_scene.num.track
save "$data/Rocket/sync_scene.num.track" <"$picture"
# The reload within a second; drawing the frame may take a moment more on a busy machine.
wait_for_line 'reloaded track scene.num' 1 || fail "the track was not reloaded within a second"
wait_for_picture_change "$before" 3 || fail "the scene did not switch"
switched=$(wait_for_still_picture 10) || fail "the picture moves while paused"
save "$data/Rocket/sync_scene.num.track" <"$threeD"
wait_for_picture_change "$switched" 3 || fail "the 3D scene did not come back"
good=$(wait_for_still_picture 10) || fail "the picture moves while paused"

# A broken shader: the program runs on with the last good picture and logs the error.
printf '#version 330 core\nvoid main() { this is not glsl; }\n' | save "$data/Shaders/Model.frag"
wait_for_line 'Shader Model does not build' 5 || fail "no error for the broken shader"
kill -0 "$QV_PID" || fail "the program ended on a broken shader"
sleep 0.5
[[ "$(screen_hash)" == "$good" ]] || fail "the picture changed with a broken shader"
# Repaired, and red: the new shader shows.
printf '#version 330 core\nout vec4 color;\nvoid main() { color = vec4(1.0, 0.0, 0.0, 1.0); }\n' |
  save "$data/Shaders/Model.frag"
wait_for_picture_change "$good" 3 || fail "the repaired shader does not show"
wait_for_line 'reloaded shader Model' 5 || fail "no log line for the shader"
red=$(wait_for_still_picture 10) || fail "the picture moves while paused"
save "$data/Shaders/Model.frag" <"$demo/Data/Shaders/Model.frag"
wait_for_picture_change "$red" 3 || fail "the shipped shader does not come back"
good=$(wait_for_still_picture 10) || fail "the picture moves while paused"

# A damaged model and a half-written picture keep their last good versions.
printf 'this is not an obj file\n' | save "$data/Models/Zepp.obj"
wait_for_line 'Could not reload model Zepp.obj' 5 || fail "no error for the damaged model"
head -c 2000 "$demo/Data/Textures/Land.jpg" | save "$data/Textures/Land.jpg"
wait_for_line 'Could not reload picture Land.jpg' 5 || fail "no error for the half-written picture"
sleep 0.5
[[ "$(screen_hash)" == "$good" ]] || fail "a damaged file changed the picture"

# 1,000 saves of one track in a burst; the last says "picture scene".
for ((i = 0; i < 999; i++)); do cp "$threeD" "$data/Rocket/sync_scene.num.track"; done
cp "$picture" "$data/Rocket/sync_scene.num.track"
start=$(date +%s%N)
read -r _ _ < <("$QV_PROBE")
kill -0 "$QV_PID" || fail "the program ended during the burst"
wait_for_picture_change "$good" 3 || fail "the last save of the burst does not show"
((($(date +%s%N) - start) / 1000000 < 3000)) || fail "the program stalled"

xdotool key Escape
wait_for_exit 30 || fail "still running 30 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
