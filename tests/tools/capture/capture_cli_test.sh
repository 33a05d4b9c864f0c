# quintaval-capture run as a user runs it, on the sample demo in build/demo: usage and
# errors with their exit status, two PNG captures of a span that are byte-identical,
# the progress line and --quiet, and a video whose length is the span's, with sound.
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

capture=$QV_BINARY_DIR/bin/quintaval-capture
out=$QV_LOG_DIR
[[ -x "$capture" ]] || fail "quintaval-capture is not built"

# Usage.
"$capture" --help >"$out/help" || fail "--help failed"
grep -q "^Usage: quintaval-capture" "$out/help" || fail "--help prints no usage"
# Each option's entry, on one line: the ranges of the values, what --quiet silences.
awk '/^  -/ { print "" } /^  / { printf "%s ", $0 }' "$out/help" | tr -s ' ' >"$out/entries"
for entry in "--width N .*1 to 16384" "--height N .*1 to 16384" "--fps RATE .*above 0 and at most 1000" \
  "--from SECONDS .*0 or more" "--to SECONDS .*after --from" "--quiet .*loading line, progress line or summary"; do
  grep -q -- "^ $entry" "$out/entries" || fail "--help has no entry '$entry'"
done
"$capture" --width 320 2>"$out/err"
[[ $? == 2 ]] || fail "a missing output should end with status 2"
grep -qx "quintaval-capture: choose an output: --png DIR or --video FILE" "$out/err" || fail "wrong usage message: $(cat "$out/err")"
"$capture" --data "$out" --png "$out/none" 2>"$out/err"
[[ $? == 1 ]] || fail "a directory without Data/ should end with status 1"
grep -q "^quintaval-capture: no Data/ folder in $out; --data DIR names" "$out/err" || fail "wrong message: $(cat "$out/err")"

# Two captures of the same span, the second quiet. Output paths are taken from where the
# tool is started, not from --data.
cd "$out"
"$capture" --data "$QV_DEMO_DIR" --width 160 --height 90 --from 40 --to 40.05 --png first 2>"$out/err" \
  || fail "first capture failed: $(cat "$out/err")"
grep -q "^loaded in .* s; capturing 3 frames of 160x90 at 60/1 fps$" "$out/err" || fail "no loading line: $(cat "$out/err")"
grep -q "^3 frames in 0:[0-9][0-9] (.* fps)$" "$out/err" || fail "no summary line: $(cat "$out/err")"
"$capture" --data "$QV_DEMO_DIR" --width 160 --height 90 --from 40 --to 40.05 --png second --quiet 2>"$out/err" \
  || fail "second capture failed: $(cat "$out/err")"
[[ ! -s "$out/err" ]] || fail "--quiet still wrote: $(cat "$out/err")"
[[ "$(ls first)" == $'frame-000000.png\nframe-000001.png\nframe-000002.png' ]] || fail "unexpected files: $(ls first)"
for f in first/*.png; do
  cmp -s "$f" "second/${f#first/}" || fail "$f differs between two captures of the same span"
done
cmp -s first/frame-000000.png first/frame-000002.png && fail "the camera did not move between frames"
size=$(ffprobe -v error -show_entries stream=width,height -of csv=p=0 first/frame-000001.png)
[[ "$size" == "160,90" ]] || fail "PNG is $size, not 160,90"

# A video of half a second at 30 fps: 15 frames, 0.5 s, an AAC sound track of the same length.
"$capture" --data "$QV_DEMO_DIR" --width 160 --height 90 --fps 30 --from 20 --to 20.5 --multisampling off --video clip.mp4 --quiet \
  2>"$out/err" || fail "video capture failed: $(cat "$out/err")"
probe() { ffprobe -v error -select_streams "$1" -show_entries "$2" -of csv=p=0 clip.mp4; }
[[ "$(probe v stream=codec_name)" == h264 ]] || fail "no H.264 video stream"
[[ "$(probe v stream=nb_frames)" == 15 ]] || fail "video has $(probe v stream=nb_frames) frames, not 15"
[[ "$(probe a stream=codec_name)" == aac ]] || fail "no AAC sound stream"
video=$(probe v stream=duration)
audio=$(probe a stream=duration)
awk -v v="$video" -v a="$audio" 'BEGIN { exit !(v > 0.499 && v < 0.501 && a > 0.45 && a < 0.55) }' \
  || fail "durations video $video s, audio $audio s, expected 0.5 s"
echo "PASS"
