# The viewer clicks "Quit": the program ends with -1 (255) and no demo window opens.
source "$(dirname "$0")/lib.sh"

start_quintaval
dialog=$(wait_for_dialog 20) || fail "no setup dialog appeared"
sleep 0.5
# "Quit" sits at 252,203 (96 x 28) in dialog units, two pixels each.
xdotool mousemove --window "$dialog" 600 434 click 1
wait_for_exit 20 || fail "still running after Quit"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
if xdotool search --class "^Quintaval demosystem\$" >/dev/null 2>&1; then fail "a demo window was opened"; fi
echo "PASS"
