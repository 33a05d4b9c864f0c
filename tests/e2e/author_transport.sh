# Author mode as an author uses it: started at 40 s without any dialog, the 3D scene
# shows; Space stops picture and time and starts them again; a loop region keeps time
# inside it; Escape ends the program with status 0.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

start_quintaval --author --start 40
wait_for_demo_window 60 >/dev/null || fail "no demo window"
xdotool search --onlyvisible --class '^Quintaval$' >/dev/null 2>&1 && fail "a setup dialog appeared"
wait_for_line 'author mode: watching Data/' 120 || fail "author mode did not start"
# The key hint shows for the first three seconds.
sleep 4
read -r mean first < <("$QV_PROBE")
awk -v m="${mean#mean=}" 'BEGIN { exit !(m > 10) }' || fail "black screen at 40 s"
wait_for_picture_change "$first" 5 || fail "the 3D scene stands still while playing"

xdotool key space
wait_for_line 'paused at 0:4[0-9]\.' 10 || fail "Space did not pause"
paused=$(wait_for_still_picture 10) || fail "the picture moves while paused"
xdotool key space
wait_for_line 'playing from 0:4[0-9]\.' 10 || fail "Space did not resume"
wait_for_picture_change "$paused" 5 || fail "the picture stands still after resuming"

# A loop region of about two seconds: time goes back to its start at least twice.
xdotool key bracketleft
sleep 2
xdotool key bracketright
wait_for_line 'loop 0:[0-9:.]+ to 0:[0-9:.]+' 10 || fail "no loop region"
for ((i = 0; i < 150; i++)); do
  (($(grep -c 'looped back to' "$QV_LOG_DIR/stdout") >= 2)) && break
  sleep 0.1
done
(($(grep -c 'looped back to' "$QV_LOG_DIR/stdout") >= 2)) || fail "time did not loop twice"

xdotool key Escape
wait_for_exit 30 || fail "still running 30 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
