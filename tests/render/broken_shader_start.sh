# A runnable tree whose Model.frag does not compile: after "Start" the viewer sees the
# message "Error compiling modelShader", dismisses it, and the program ends with -1
# (status 255) before the loading sequence starts.
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

# A copy of the runnable tree that shares everything but the shaders.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
ln -s "$QV_DEMO_DIR/quintaval" "$tree/quintaval"
mkdir "$tree/Data"
for entry in "$QV_DEMO_DIR"/Data/*; do
  [[ "$(basename "$entry")" == Shaders ]] || ln -s "$entry" "$tree/Data/"
done
cp -r "$QV_DEMO_DIR/Data/Shaders" "$tree/Data/Shaders"
printf '#version 330 core\nvoid main() { not glsl; }\n' >"$tree/Data/Shaders/Model.frag"
QV_DEMO_DIR=$tree

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
# The message box is a GTK dialog titled "ERROR". With no window manager the keyboard
# focus stays where it was, so it is given to the dialog before Enter presses OK.
box=""
for ((i = 0; i < 600; i++)); do
  box=$(xdotool search --onlyvisible --name '^ERROR$' 2>/dev/null | head -n1)
  [[ -n "$box" ]] && break
  kill -0 "$QV_PID" 2>/dev/null || break
  sleep 0.1
done
[[ -n "$box" ]] || fail "no message box appeared"
sleep 0.5
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for_exit 30 || fail "still running 30 s after the message"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
grep -qx '.*Error compiling modelShader' "$QV_LOG_DIR/stderr" || fail "no 'Error compiling modelShader' message"
grep -q 'Error compiling normalMapShader\|Error compiling sineShader' "$QV_LOG_DIR/stderr" &&
  fail "a message for another program"
echo "PASS"
