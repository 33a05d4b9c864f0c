# Loading as the viewer sees it: the loading picture comes first, a bar along its bottom
# grows while the files load, and Escape during loading ends the program at once with
# status 0. A picture sequence made of 1500 extra pictures keeps the loading busy long
# enough to watch.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

use_scratch_tree_without Textures
mkdir "$QV_DEMO_DIR/Data/Textures"
for entry in "$QV_BINARY_DIR"/demo/Data/Textures/*; do
  [[ "$(basename "$entry")" == CodeMonkey ]] || ln -s "$entry" "$QV_DEMO_DIR/Data/Textures/"
done
mkdir "$QV_DEMO_DIR/Data/Textures/CodeMonkey"
picture=$(ls "$QV_BINARY_DIR"/demo/Data/Textures/CodeMonkey/*.jpg | head -n1)
for ((i = 0; i < 1500; i++)); do ln -s "$picture" "$QV_DEMO_DIR/Data/Textures/CodeMonkey/frame$i.jpg"; done

start_quintaval --window 640x360
window=$(wait_for_demo_window 60) || fail "no demo window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The bar's rows (the bottom 3 of 360) and the picture above them.
bar() { "$QV_PROBE" "$X" $((Y + HEIGHT - 3)) "$WIDTH" 3 | sed 's/^mean=\([0-9.]*\).*/\1/'; }
above() { "$QV_PROBE" "$X" "$Y" "$WIDTH" $((HEIGHT - 3)) | sed 's/.*hash=//'; }

# The loading picture: the area above the bar is no longer black.
for ((i = 0; i < 300; i++)); do
  read -r mean _ < <("$QV_PROBE" "$X" "$Y" "$WIDTH" $((HEIGHT - 3)))
  awk -v m="${mean#mean=}" 'BEGIN { exit !(m > 10) }' && break
  sleep 0.1
done
((i < 300)) || fail "no loading picture"
picture_hash=$(above)
first=$(bar)
for ((i = 0; i < 200; i++)); do
  sleep 0.1
  now=$(bar)
  awk -v a="$first" -v b="$now" 'BEGIN { exit !(b > a + 5) }' && break
done
((i < 200)) || fail "the progress bar did not grow (mean $first, then $now)"
[[ "$(above)" == "$picture_hash" ]] || fail "the loading picture changed while the bar grew"

xdotool key Escape
wait_for_exit 15 || fail "still running 15 s after Escape during loading"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS: bar from mean $first to $now"
