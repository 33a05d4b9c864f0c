# The sample demo from the dialog to its end, as a viewer sees it: the loading picture
# first, then pictures that change with the music, and the program ends by itself with
# status 0 once the music reaches 128 seconds.
source "$(dirname "$0")/lib.sh"
probe="$QV_BINARY_DIR/tests/qv_screen_probe"

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
started=$(date +%s)
wait_for_demo_window 60 >/dev/null || fail "no demo window after Start"

# The loading picture is shown before anything loads (the window starts black).
loading=0
for ((i = 0; i < 60; i++)); do
  read -r loading _ < <("$probe")
  loading=${loading#mean=}
  awk -v m="$loading" 'BEGIN { exit !(m > 10) }' && break
  sleep 0.5
done
awk -v m="$loading" 'BEGIN { exit !(m > 10) }' || fail "no loading picture (mean $loading)"

# Three moments of the show: each picture differs from the others and is not black.
hashes=()
for at in 30 60 95; do
  while (($(date +%s) - started < at)); do sleep 1; done
  kill -0 "$QV_PID" 2>/dev/null || fail "ended before $at s"
  read -r mean hash < <("$probe")
  mean=${mean#mean=}
  echo "at $at s: $mean $hash"
  awk -v m="$mean" 'BEGIN { exit !(m > 5) }' || fail "black screen at $at s"
  for seen in "${hashes[@]}"; do [[ "$seen" != "$hash" ]] || fail "the picture at $at s repeats an earlier one"; done
  hashes+=("$hash")
done

# The music clock starts after loading, so the end comes 128 s plus the loading time
# after Start; never before 128 s.
wait_for_exit 240 || fail "still running 240 s after Start"
ended=$(date +%s)
((ended - started >= 128)) || fail "ended after only $((ended - started)) s"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"
echo "PASS: ended $((ended - started)) s after Start"
