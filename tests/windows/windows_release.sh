# The release zip, unpacked into a folder whose name is not ASCII and started from an
# unrelated folder: the player finds the Data/ beside it, plays, and ends on Escape with
# status 0; quintaval-capture.exe renders the frame at 40.5 s as the Linux build does.
export QV_XVFB_SCREEN=1280x720x24
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$QV_BINARY_DIR" && cpack -G ZIP -B "$scratch/zip" >/dev/null) || fail "cpack failed"
zip=$(ls "$scratch"/zip/quintaval-*-windows-x64.zip) || fail "no zip"
release="$scratch/Démo ünd Ølé"
mkdir "$release"
(cd "$release" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
folder=$(ls -d "$release"/quintaval-*-windows-x64) || fail "the zip has no top folder"
for entry in quintaval.exe quintaval-capture.exe quintaval-tracks.exe quintaval-inspect.exe README.txt \
             Data/Sound/Musica.mp3 Data/Shaders/Model.frag; do
  [[ -e "$folder/$entry" ]] || fail "the release lacks $entry"
done

# From an unrelated folder, with the player's full path.
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
$QV_EMULATOR "$folder/quintaval.exe" --window 640x360 --start 40 >"$QV_LOG_DIR/stdout" 2>"$QV_LOG_DIR/stderr" &
QV_PID=$!
wait_for_demo_start 120 || fail "the unzipped demo did not start"
xdotool windowfocus --sync "$(wait_for_demo_window 10)" key Escape
wait_for_exit 60 || fail "still running after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"

# The frame at 40.5 s from both builds: the same pixels (the same Mesa draws both, and the
# spectrum that shakes the camera comes out the same from both FFTW builds).
$QV_EMULATOR "$folder/quintaval-capture.exe" --png "$scratch/windows" --width 640 --height 360 --from 40.5 \
  --to 40.51 --fps 60 --quiet 2>>"$QV_LOG_DIR/stderr" || fail "the Windows capture failed"
"$QV_LINUX_BUILD/bin/quintaval-capture" --data "$QV_LINUX_BUILD/demo" --png "$scratch/linux" --width 640 \
  --height 360 --from 40.5 --to 40.51 --fps 60 --quiet || fail "the Linux capture failed"
python3 "$QV_SOURCE_DIR/tests/windows/png_difference.py" "$scratch/windows/frame-000000.png" \
  "$scratch/linux/frame-000000.png" 0 || fail "the captures differ"
echo "PASS"
