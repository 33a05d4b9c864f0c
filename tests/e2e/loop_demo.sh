# With "Loop demo" ticked the show starts over instead of ending: still running well past
# 128 s of music, and Escape ends it with status 0.
source "$(dirname "$0")/lib.sh"

start_quintaval
dialog=$(wait_for_dialog 20) || fail "no setup dialog appeared"
sleep 0.5
# "Loop demo" sits at 254,187 in dialog units, two pixels each.
xdotool mousemove --window "$dialog" 520 384 click 1
sleep 0.3
xdotool key Return
started=$(date +%s)
wait_for_demo_window 60 >/dev/null || fail "no demo window after Start"
# 135 s of music plus the loading time (at most 60 s here).
while (($(date +%s) - started < 195)); do
  kill -0 "$QV_PID" 2>/dev/null || fail "ended by itself after $(($(date +%s) - started)) s"
  sleep 1
done
xdotool key Escape
wait_for_exit 30 || fail "still running 30 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS"
