# A runnable tree without "Data/Sound/Musica.mp3": after the message "Bass file loading
# failed!" the show plays silently, its pictures move with time, and it ends by itself
# with status 0 at 128 seconds.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

use_scratch_tree_without Sound
mkdir "$QV_DEMO_DIR/Data/Sound"

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
dismiss_message_box 240 || fail "no message box for the missing music"
grep -qx 'ERROR: Bass file loading failed! Data/Sound/Musica.mp3: No such file or directory' "$QV_LOG_DIR/stderr" || fail "not the message for the missing music"
dismissed=$(date +%s)

# The time starts once the message is dismissed: two moments of the show differ.
read -r _ first < <("$QV_PROBE")
sleep 20
read -r _ later < <("$QV_PROBE")
[[ "$first" != "$later" ]] || fail "the picture stands still without music"

wait_for_exit 150 || fail "still running 170 s into the demo"
ended=$(date +%s)
((ended - dismissed >= 127)) || fail "ended after only $((ended - dismissed)) s of demo"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS: ended $((ended - dismissed)) s after the message"
