# A runnable tree whose Model.frag does not compile: after "Start" the viewer sees the
# message "Error compiling modelShader", dismisses it, and the program ends with -1
# (status 255) before the loading sequence starts.
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

demo=$QV_DEMO_DIR
use_scratch_tree_without Shaders
cp -r "$demo/Data/Shaders" "$QV_DEMO_DIR/Data/Shaders"
printf '#version 330 core\nvoid main() { not glsl; }\n' >"$QV_DEMO_DIR/Data/Shaders/Model.frag"

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
dismiss_message_box 60 || fail "no message box appeared"
wait_for_exit 30 || fail "still running 30 s after the message"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
grep -qx '.*Error compiling modelShader' "$QV_LOG_DIR/stderr" || fail "no 'Error compiling modelShader' message"
grep -q 'Error compiling normalMapShader\|Error compiling sineShader' "$QV_LOG_DIR/stderr" &&
  fail "a message for another program"
echo "PASS"
