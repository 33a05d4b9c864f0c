# Sync editing in author mode, by keys as an author types them, on a scratch copy of the
# sample demo's tracks and sheet: at 40 s (row 560, the 3D scene) F2 gives the keys to the
# grid, Down moves to row 561, "1" Enter sets scene.num there and the picture scene shows;
# Ctrl+Z brings the 3D scene back, Ctrl+Y the picture scene, and Ctrl+S writes the track
# file and the sheet, which compiles to the same track files. The mouse adds, drags and
# removes a key in the track curves. Then an unsaved edit, a first Escape that does not
# quit, and a kill: the next start offers the edit, F5 restores it, and it saves.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

demo=$QV_DEMO_DIR
tracks="$QV_BINARY_DIR/bin/quintaval-tracks"
use_scratch_tree_without Rocket
cp -r "$demo/Data/Rocket" "$QV_DEMO_DIR/Data/Rocket"
rocket=$QV_DEMO_DIR/Data/Rocket
sheet=$QV_DEMO_DIR/demo.sync
cp "$QV_SOURCE_DIR/data/sync/demo.sync" "$sheet"

# The clean picture, without the overlay (Tab hides it; the grid keeps the keys).
picture() { xdotool key Tab && wait_for_still_picture 10; }
overlay() { xdotool key Tab; }
title() { xdotool getwindowname "$(xdotool search --onlyvisible --class "^$QV_DEMO_CLASS\$" | head -n1)"; }
value_at() { "$tracks" eval "$rocket/sync_scene.num.track" "$1"; }

start_quintaval --author --start 40 --sheet demo.sync
wait_for_line 'author mode: watching Data/' 180 || fail "author mode did not start"
# Paused at exactly 40 s (the start has played on meanwhile); the key hint goes after 3 s.
xdotool key space Home shift+Right shift+Right shift+Right shift+Right
wait_for_line 'quintaval: at 0:40\.000' 10 || fail "the transport did not go to 40 s"
sleep 3
xdotool key F2 Down
sleep 1
before=$(picture) || fail "the picture moves while paused"
overlay
xdotool type 1
xdotool key Return
wait_for_line 'scene.num at row 561: 1$' 10 || fail "Enter did not set the key"
[[ $(title) == "Quintaval demosystem *" ]] || fail "the title does not show unsaved edits: $(title)"
edited=$(picture) || fail "the picture moves while paused"
[[ "$edited" != "$before" ]] || fail "the scene did not change"

overlay
xdotool key ctrl+z
wait_for_line 'quintaval: undone' 10 || fail "Ctrl+Z did not undo"
[[ $(picture) == "$before" ]] || fail "Ctrl+Z did not bring the 3D scene back"
overlay
xdotool key ctrl+y
wait_for_line 'quintaval: redone' 10 || fail "Ctrl+Y did not redo"
[[ $(picture) == "$edited" ]] || fail "Ctrl+Y did not bring the picture scene back"

xdotool key ctrl+s
wait_for_line 'quintaval: saved scene.num and .*demo.sync' 10 || fail "Ctrl+S did not save"
[[ $(value_at 561) == 1 && $(value_at 560) == 2 ]] || fail "the track file lacks the key"
[[ $(title) == "Quintaval demosystem" ]] || fail "the title still shows unsaved edits"
compiled=$(mktemp -d)
"$tracks" compile "$sheet" "$compiled" 2>/dev/null || fail "the saved sheet does not compile"
for file in "$compiled"/*.track; do
  cmp -s "$file" "$rocket/$(basename "$file")" || fail "$(basename "$file") differs from the saved sheet's"
done
grep -q '^561    1        step$' "$sheet" || fail "the sheet lacks the key line"
grep -q '^# Sync sheet of the sample demo' "$sheet" || fail "the sheet lost its comments"

# The mouse in scene.num's curve (the first of the Tracks panel, from x 200 to 400 around
# y 80): a double-click adds a key on the curve, a drag upwards raises it, a right-click
# removes it. The clicks outside the grid take its keys; F2 gives them back after.
keys() { "$tracks" dump "$rocket/sync_scene.num.track" | grep -c '^[0-9-]'; }
dumped() { "$tracks" dump "$rocket/sync_scene.num.track"; }
# Runs the xdotool gesture $2... until, after a save, `$1` is true; on a busy machine a
# slow frame can take both clicks of a double-click as one, so a gesture gets 3 tries,
# the clicks of a double-click further apart each time ($gap ms).
until_saved() {
  local check=$1
  shift
  for gap in 120 250 380; do
    xdotool "${@//GAP/$gap}" sleep 1 key ctrl+s sleep 1
    eval "$check" && return 0
  done
  return 1
}
overlay
count=$(keys)
until_saved '[[ $(keys) == $((count + 1)) ]]' mousemove 260 80 sleep 0.5 click --repeat 2 --delay GAP 1 ||
  fail "a double-click did not add a key"
added=$(dumped)
until_saved '[[ $(dumped) != "$added" ]]' mousemove 260 80 sleep 0.5 mousedown 1 sleep 0.5 mousemove 262 70 \
  sleep 0.5 mousemove 261 68 sleep 0.5 mouseup 1 || fail "a drag did not move the key"
until_saved '[[ $(keys) == "$count" ]]' mousemove 261 80 sleep 0.5 click 3 || fail "a right-click did not remove the key"
xdotool key F2

# An unsaved edit at row 562; the first Escape keeps the program running.
xdotool key Down
xdotool type 3
xdotool key Return
wait_for_line 'scene.num at row 562: 3$' 10 || fail "Enter did not set the second key"
xdotool key F2 Escape
wait_for_line 'unsaved edits of scene.num: .*Escape again quits' 10 || fail "Escape did not warn of unsaved edits"
sleep 2
kill -0 "$QV_PID" 2>/dev/null || fail "the first Escape quit with unsaved edits"
[[ -f $rocket/recovery.sync ]] || fail "no recovery file 2 s after the edit"
kill -KILL "$QV_PID"
wait "$QV_PID" 2>/dev/null

start_quintaval --author --start 40 --sheet demo.sync
wait_for_line 'unsaved edits of scene.num from an earlier session .* F5 restores them' 180 ||
  fail "the recovery was not offered"
xdotool key F5
wait_for_line 'restored the unsaved edits of scene.num' 10 || fail "F5 did not restore"
xdotool key ctrl+s
wait_for_line 'quintaval: saved scene.num' 10 || fail "Ctrl+S did not save the restored edit"
[[ $(value_at 562) == 3 ]] || fail "the restored key is not in the track file"
[[ ! -e $rocket/recovery.sync ]] || fail "the save left the recovery file"
xdotool key Escape
wait_for_exit 30 || fail "still running 30 s after Escape with everything saved"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
