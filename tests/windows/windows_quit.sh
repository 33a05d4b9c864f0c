# "Quit" on the Win32 setup dialog ends the program with -1 (255); Escape there does
# nothing, and the dialog has no close box to end it otherwise.
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

start_quintaval
dialog=$(wait_for_dialog 60) || fail "no setup dialog appeared"
sleep 1
# A click on the banner gives the dialog the keyboard (there is no window manager to).
xdotool mousemove --window "$dialog" 40 40 click 1
sleep 0.5
xdotool key Escape
sleep 1
kill -0 "$QV_PID" 2>/dev/null || fail "Escape closed the dialog"
# "Quit" is centred at (300, 217) of the dialog's 365 x 247 dialog units.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove --window "$dialog" $((300 * WIDTH / 365)) $((217 * HEIGHT / 247)) click 1
wait_for_exit 30 || fail "still running after Quit"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
echo "PASS"
