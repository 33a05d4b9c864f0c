# The music's beats in author mode: the analysis reports the sample's 120 BPM; from 40.2 s
# Ctrl+Down lands on the beat at 40.5 s (within one row), Ctrl+Up on the one at 40.0 s,
# Alt+Down on an onset within the next second; with --bpm 50 --beat-offset 0.3 the beats
# are the author's (0.3 s + k x 1.2 s): from 40.2 s to 41.1 s, then 42.3 s.
export QV_XVFB_SCREEN=1280x720x24
source "$(dirname "$0")/lib.sh"

# The time of the last "at m:ss.mmm" note, in seconds.
last_at() {
  grep -oE 'quintaval: at [0-9]+:[0-9.]+' "$QV_LOG_DIR/stdout" | tail -n1 |
    awk '{ split($3, t, ":"); print t[1] * 60 + t[2] }'
}
near() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(d < 1 / 14 && d > -1 / 14) }'; }
at_40_2() {
  xdotool key space Home shift+Right shift+Right shift+Right shift+Right
  wait_for_line 'quintaval: at 0:40\.000' 10 || fail "the transport did not go to 40 s"
  xdotool key F2 Down Down Down F2  # three rows: 40.214 s
  sleep 1
}

start_quintaval --author --start 40
wait_for_line 'quintaval: beats: 1(19\.[5-9]|20\.[0-5]) BPM, [0-9]+ beats and [0-9]+ onsets' 120 ||
  fail "no beats found at 120 BPM: $(grep beats "$QV_LOG_DIR/stdout")"
at_40_2
xdotool key ctrl+Down
wait_for_line '\(beat\)' 10 || fail "Ctrl+Down did not jump"
near "$(last_at)" 40.5 || fail "Ctrl+Down from 40.2 s landed on $(last_at) s, not 40.5 s"
xdotool key ctrl+Up
sleep 1
near "$(last_at)" 40.0 || fail "Ctrl+Up from 40.5 s landed on $(last_at) s, not 40.0 s"
xdotool key alt+Down
wait_for_line '\(onset\)' 10 || fail "Alt+Down did not jump"
awk -v t="$(last_at)" 'BEGIN { exit !(t > 40.0 && t < 41.0) }' || fail "Alt+Down from 40.0 s landed on $(last_at) s"
xdotool key Escape
wait_for_exit 30 || fail "still running after Escape"

# The author's tempo: 50 BPM from 0.3 s puts beats at 39.9 s, 41.1 s and 42.3 s.
: >"$QV_LOG_DIR/stdout"
start_quintaval --author --start 40 --bpm 50 --beat-offset 0.3
wait_for_line 'quintaval: beats: 50 BPM from --bpm \(offset 0\.3 s\)' 120 || fail "--bpm was not taken"
at_40_2
xdotool key ctrl+Down
wait_for_line '\(beat\)' 10 || fail "Ctrl+Down did not jump"
near "$(last_at)" 41.1 || fail "Ctrl+Down landed on $(last_at) s, not the given beat at 41.1 s"
xdotool key ctrl+Down
sleep 1
near "$(last_at)" 42.3 || fail "the next given beat is not at 42.3 s but $(last_at) s"
xdotool key Escape
wait_for_exit 30 || fail "still running after Escape"
echo "PASS"
