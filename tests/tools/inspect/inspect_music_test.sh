#!/usr/bin/env bash
# quintaval-inspect music on the sample demo's MP3, as an author runs it: the JSON holds
# the music's format and length, its tempo, beats in order and onsets with strengths from
# 0 to 1, with a beat on 40.5 s; a file that is no MP3 is named on standard error, with
# status 1 and no JSON. How close the beats come to the truth is the unit tests' to say.
set -euo pipefail
tool="$QV_BINARY_DIR/bin/quintaval-inspect"
song="$QV_DEMO_DIR/Data/Sound/Musica.mp3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -f $song ]] || fail "the sample demo has not been built into $QV_DEMO_DIR/Data"
"$tool" music "$song" >"$work/music.json" 2>"$work/errors" || fail "status $? on the sample music"
[[ ! -s $work/errors ]] || fail "messages on the sample music: $(cat "$work/errors")"
python3 - "$work/music.json" "$song" <<'CHECK' || fail "the JSON above is not what the sample music gives"
import json, sys
music = json.load(open(sys.argv[1]))
def check(what, ok):
    if not ok:
        sys.exit("wrong: " + what)
check("the keys", list(music) == ["file", "sample_rate", "channels", "seconds", "bpm", "beats", "onsets"])
check("the file", music["file"] == sys.argv[2])
check("the format", (music["sample_rate"], music["channels"]) == (44100, 2))
check("the length", 132 <= music["seconds"] <= 136)
check("the tempo", abs(music["bpm"] - 120) <= 0.5)
beats = music["beats"]
check("the beats' count", 240 <= len(beats) <= 270)
check("the beats' order", beats == sorted(beats) and 0 <= beats[0] and beats[-1] <= music["seconds"])
check("a beat on 40.5 s", min(abs(b - 40.5) for b in beats) <= 0.02)
onsets = music["onsets"]
check("the onsets' form", all(sorted(o) == ["seconds", "strength"] for o in onsets))
check("the onsets' strengths", all(0 <= o["strength"] <= 1 for o in onsets) and max(o["strength"] for o in onsets) == 1)
check("the onsets' order", [o["seconds"] for o in onsets] == sorted(o["seconds"] for o in onsets))
CHECK

echo "not an MP3" >"$work/song.mp3"
status=0
"$tool" music "$work/song.mp3" >"$work/out" 2>"$work/errors" || status=$?
[[ $status == 1 ]] || fail "status $status for a file that is no MP3"
[[ ! -s $work/out ]] || fail "JSON for a file that is no MP3"
grep -q "^quintaval-inspect: $work/song.mp3: " "$work/errors" || fail "the message does not name the file: $(cat "$work/errors")"
echo PASS
