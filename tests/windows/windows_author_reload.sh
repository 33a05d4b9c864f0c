# Author mode under Windows: the change notifier sees a shader saved broken (the last good
# picture stays and the compiler's message is logged) and then repaired (it shows again).
export QV_XVFB_SCREEN=1280x720x24
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

demo=$QV_DEMO_DIR
use_scratch_tree_without Shaders
cp -r "$demo/Data/Shaders" "$QV_DEMO_DIR/Data/Shaders"
data=$QV_DEMO_DIR/Data
save() { cat >"$1.tmp" && mv "$1.tmp" "$1"; }

start_quintaval --author --start 40
wait_for_line 'author mode: watching Data/' 180 || fail "author mode did not start"
sleep 4
xdotool windowfocus --sync "$(wait_for_demo_window 10)" key space
wait_for_line 'paused at' 20 || fail "Space did not pause"
good=$(wait_for_still_picture 20) || fail "the picture moves while paused"

printf '#version 330 core\nvoid main() { this is not glsl; }\n' | save "$data/Shaders/Model.frag"
wait_for_line 'Shader Model does not build' 20 || fail "no error for the broken shader"
sleep 1
[[ "$(screen_hash)" == "$good" ]] || fail "the picture changed with a broken shader"
save "$data/Shaders/Model.frag" <"$demo/Data/Shaders/Model.frag"
wait_for_line 'reloaded shader Model' 20 || fail "the repaired shader was not reloaded"
[[ "$(wait_for_still_picture 20)" == "$good" ]] || fail "the repaired shader does not show the good picture"
xdotool windowfocus --sync "$(wait_for_demo_window 10)" key Escape
wait_for_exit 60 || fail "still running after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
