# The viewer presses Enter on the setup dialog ("Start" is the default button), sees the
# demo window, and presses Escape: the program ends with status 0.
source "$(dirname "$0")/lib.sh"

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
window=$(wait_for_demo_window 60) || fail "no demo window after Start"
[[ "$(xdotool getwindowname "$window")" == "Quintaval demosystem" ]] || fail "demo window has the wrong title"
sleep 1
xdotool key Escape
# Escape ends the program whether it comes during loading or after.
wait_for_exit 120 || fail "still running 120 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
