# Without any X display neither the dialog nor the window can open: status 255 and the
# GLFW message on standard error.
QV_NO_XVFB=1
source "$(dirname "$0")/lib.sh"

unset DISPLAY WAYLAND_DISPLAY
start_quintaval
wait_for_exit 30 || fail "did not end without a display"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
grep -q "Unable to initialize GLFW!" "$QV_LOG_DIR/stderr" || fail "no GLFW message on standard error"
echo "PASS"
