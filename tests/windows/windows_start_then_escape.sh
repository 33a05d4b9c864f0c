# The Win32 setup dialog comes first; Enter presses "Start"; the demo at 40 s is the 3D
# scene, whose picture moves; Escape ends the program with status 0.
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

start_quintaval --start 40
dialog=$(wait_for_dialog 60) || fail "no setup dialog appeared"
[[ "$(xdotool getwindowname "$dialog")" == "Quintaval demosystem" ]] || fail "the dialog has the wrong title"
sleep 1
# A click on the banner gives the dialog the keyboard (there is no window manager to).
xdotool mousemove --window "$dialog" 40 40 click 1
sleep 0.5
xdotool key Return
wait_for_demo_start 120 || fail "the demo did not start after Start"
# A frame of the desktop's size may take a second or more in software GL under Wine.
wait_for_picture_change "$(screen_hash)" 30 || fail "the 3D scene does not move"
xdotool windowfocus --sync "$(wait_for_demo_window 10)" key Escape
wait_for_exit 60 || fail "still running 60 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
